#pragma once

#include "controls/SelectionContext.h"
#include "controls/SelectionFade.h"
#include "controls/SelectionInfo.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <optional>

class QLineEdit;
class QTimer;

// The one popup list of the program. It opens under the pointer over a tinted picture
// of the main window, fades its entries in, shows what the dock knows about the entry
// under the pointer, and writes the entry clicked into the target edit box, whose own
// change handler then applies it. Hidden, never destroyed, between uses.
class TSelectionBox : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MaxWidth = 1024;
    static constexpr int MaxHeight = 753;
    static constexpr int FadeInterval = 40; // ms

    explicit TSelectionBox(const SelectionContext& context, QWidget* parent = nullptr);

    // Opens the popup under the pointer and returns at once; the choice arrives through
    // target's change event. Kinds 4, 5, 6, 8 and the specialties get "<NONE>" on top, which
    // writes the empty text; the specialties also get a box below the entries to type one's
    // own, which Enter writes.
    // target: a box with the "text" of a line edit.
    void ShowSelection(const QStringList& list, QWidget* target, int kind);

    // True from opening until the choice, if any, has been written to the target.
    bool isOpen() const { return m_open; }

    const QStringList& entries() const { return m_list; }
    int kind() const { return m_kind; }
    int HoverIndex() const { return m_hoverIndex; }
    bool SelectionMade() const { return m_selectionMade; }
    int EntryWidth() const { return m_entryWidth; }
    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    QColor EntryColour(int index) const { return m_fade.EntryColour(index); }
    const QTimer* FadeTimer() const { return m_fadeTimer; }
    // What the dock was last told about the hovered entry.
    const QList<SelectionInfo::Item>& infoItems() const { return m_infoItems; }
    // The box for a text of one's own, shown for the specialties only; none before the first.
    QLineEdit* ownText() const { return m_ownText; }
    // Top left of an entry's text in the popup.
    QPoint entryPosition(int index) const;

    // One step of the fade; the timer calls it every FadeInterval ms.
    void FadeStep();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLineEdit* ownTextBox();
    void createBackground(QPoint topLeft);
    void openDock();
    void drawDockInfo();
    QRect entryRect(int index) const;
    void updateEntries(const QList<int>& indexes);

    void SelectionBGMouseMove(QPoint pos);
    void SelectionBGClick();
    void FormDeactivate();
    void OwnTextEntered();

    SelectionContext m_context;
    SelectionInfo m_info;
    SelectionFade m_fade;
    QTimer* m_fadeTimer = nullptr;
    QFont m_listFont;
    QImage m_background; // tinted snapshot and frame
    QStringList m_list;
    QPointer<QWidget> m_target;
    QLineEdit* m_ownText = nullptr;
    std::optional<QString> m_ownChoice;
    QList<SelectionInfo::Item> m_infoItems;
    int m_kind = 0;
    int m_hoverIndex = -1;
    int m_entryWidth = 0;
    int m_columns = 1;
    int m_rows = 0;
    bool m_selectionMade = false;
    bool m_open = false;
    bool m_closing = false;
    bool m_leftPressed = false;
};
