#pragma once

#include <QLineEdit>

// A name box of the sheet. Its type shrinks until the name fits, but never below a size
// that still reads; a name too long even then shows its start and an ellipsis while the box
// is not being edited, and the whole name as the box's tooltip. A box that is not being
// edited always shows the start of its text.
class TNameEdit : public QLineEdit
{
    Q_OBJECT
public:
    static constexpr int SmallestPixelSize = 11;

    explicit TNameEdit(QWidget* parent = nullptr);

    // Gives box the largest type, from its full size down to SmallestPixelSize, in which name
    // fits, and name as its tooltip when it does not fit even then. A name box's full size is
    // the size its font was last given from outside; any other box's is its present size.
    static void fitFont(QLineEdit* box, const QString& name);
    // The change handler of a header box: its font shrinks until the text fits, the caret kept.
    static void EditBoxResizeToFit(QLineEdit* box);

    // Where a box draws its text: its width less its margins.
    static int textRoom(const QLineEdit* box);

    int FullPixelSize() const { return m_fullPixelSize; }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_fullPixelSize = 0;
    bool m_fitting = false;
};
