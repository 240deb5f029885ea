#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>

class QFontMetrics;
class RuleTables;

// The information the dock shows about the popup entry under the pointer: a title and,
// for clans, generations and paths, the rules text that goes with the entry.
class SelectionInfo
{
public:
    static constexpr int WrapWidth = 150;
    static constexpr int TextLeft = 2;
    static inline const QColor TitleColour{176, 208, 176};
    static inline const QColor BodyColour{64, 128, 96};
    static inline const QString NoneEntry = QStringLiteral("<NONE>");

    enum class Style { Title, Body };
    struct Item
    {
        QString text;
        QPoint topLeft;
        Style style = Style::Body;
    };

    struct SplitLines
    {
        QString first;
        QString second; // empty when the title fits on one line
    };

    using Measure = std::function<int(const QString&)>;

    // Lines of at most width pixels, broken after spaces; a word wider than the line is
    // broken where the width runs out.
    static QStringList WrapText(const QString& text, int width, const Measure& measure);
    // A title wider than width goes on two lines, broken at the first space from its
    // first third on (or the last space before it, or where the width runs out).
    static SplitLines SplitTitle(const QString& title, int width, const Measure& measure);

    // The title the dock shows for an entry of the given kind.
    static QString titleFor(int kind, const QString& entry, int index, const RuleTables& tables);

    explicit SelectionInfo(int panelWidth = 153,
                           const QFont& titleFace = QFont(QStringLiteral("Lucida Blackletter")));

    const QFont& titleFont() const { return m_titleFont; }
    const QFont& bodyFont() const { return m_bodyFont; }

    // What the dock shows for entry index of list.
    QList<Item> compose(int kind, const QStringList& list, int index,
                        const RuleTables& tables) const;
    // Black background, then the items.
    void draw(QImage& image, const QList<Item>& items) const;

private:
    void addTitle(QList<Item>& items, const QString& title, bool split) const;
    int addWrapped(QList<Item>& items, const QString& text, int top) const;

    int m_panelWidth;
    QFont m_titleFont;
    QFont m_bodyFont;
};
