#pragma once

#include "output/PrintedSheet.h"
#include "output/SheetPage.h"

#include <QFont>
#include <QString>
#include <array>

// Lays out the printed character sheet: one page in three columns, section by section from
// the top, in page units (one unit is a pixel of the 4500-wide page picture; font sizes are
// points of that picture's canvas at 96 dots per inch).
class SheetComposer
{
public:
    static constexpr int PageWidth = 4500;

    static SheetPage compose(const PrintedSheet& sheet);

    // The number at the start of a generation text such as "13th"; 0 without one.
    static int generationNumber(const QString& text);
    // Rows of blood pool squares a generation gets.
    static int bloodPoolRows(int generation);

private:
    explicit SheetComposer(const PrintedSheet& sheet);

    void composeTitle();
    void composeHeader();
    void composeAttributes();
    void composeAbilities();
    void composeSecondaryAbilities();
    void composeAbilityColumns(const std::array<QList<PrintedSheet::TraitRow>, 3>& columns,
                               const std::array<QString, 3>& titles, int standardRows);
    void composeAdvantages();
    void composeLowerSections();
    int composeHumanityAndBlood(int top);
    int composeHealth(int top);
    int composeMeritsAndFlaws(int top);
    int composeCombat(int top);
    void composeExperience(int pageEnd);

    // Drawing primitives.
    void fittedText(SheetPage::Part part, int x, int y, const QString& text, int width,
                    const QString& family);
    void dottedLabel(int x, int y, QString text, int width, const QString& family);
    void fittedDottedLabel(int x, int y, QString text, int width, const QString& family);
    // A trait's name followed by its specialty in parentheses, never cut.
    void specialtyLabel(int x, int y, const QString& name, const QString& specialty, int width,
                        const QString& family);
    // A trait's name, with its specialty when it has one.
    void traitLabel(int x, int y, const QString& name, const QString& specialty, bool fixedName,
                    const QString& family);
    void dots(SheetPage::Part part, int x, int y, int count, int filled);
    void dotSizedSquare(SheetPage::Part part, int x, int y);
    void divider();
    void heading(int column, int y, const QString& text);
    // One heading per column at the running position, then a line down.
    void columnHeadings(const std::array<QString, 3>& titles);
    void traitRow(int column, int y, const PrintedSheet::TraitRow& row, bool fixedName,
                  const QString& family);
    // Row: on the baseline of the row's labels; Top: the text's own top at y.
    enum class Anchor { Row, Top };
    void text(SheetPage::Part part, qreal x, qreal y, const QString& text, const QString& family,
              int points, Anchor anchor = Anchor::Row);
    void rectangle(SheetPage::Part part, const QRectF& rect);
    void line(SheetPage::Part part, const QLineF& line);

    static QFont font(const QString& family, int points);
    static qreal advance(const QString& text, const QString& family, int points);
    static int textHeight(const QString& family, int points);
    int spreadX(int index, int count) const;

    const PrintedSheet& m_sheet;
    int m_body;        // S: body size in points
    int m_line;        // L: line height
    qreal m_rowAscent; // from a row's top to its baseline
    int m_pitch;       // P: dot pitch
    int m_inset;       // I: dot inset
    int m_drop;        // D: dot drop
    int m_penWidth;
    SheetPage m_page;
    int m_y = 0;
};
