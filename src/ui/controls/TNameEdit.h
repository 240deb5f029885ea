#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;

// A name box of the sheet. Its type shrinks until the name fits, but never below a size that
// still reads; a name too long even then shows its start and an ellipsis while the box is not
// being edited, and the whole name as the box's tooltip. A box that is not being edited always
// shows the start of its text.
//
// The sheet has some two hundred of them and most are never edited in a session, so a box
// paints its name itself and gets a line edit of its own the first time it is edited; the line
// edit then stays, under the box's pointer, and the box forwards what the user does to it.
class TNameEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged USER true)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
public:
    static constexpr int SmallestPixelSize = 11;

    explicit TNameEdit(QWidget* parent = nullptr);

    QString text() const;
    // As a line edit: the caret goes to the end, and textChanged follows a change.
    void setText(const QString& text);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    int cursorPosition() const;
    void setCursorPosition(int position);
    bool hasSelectedText() const;
    // Whether the box takes the focus, edited yet or not. (Hides QWidget's, which a line edit
    // made later would not follow.)
    void setFocusPolicy(Qt::FocusPolicy policy);
    // Installs filter on the line edit, now or when it is made, for what only it receives.
    void watchEditing(QObject* filter);
    // The line edit; none before the box is first edited.
    QLineEdit* editor() const { return m_editor; }

    // Gives box the largest type, from its full size down to SmallestPixelSize, in which name
    // fits, and name as its tooltip when it does not fit even then. A box's full size is the
    // size its font was last given from outside.
    static void fitFont(TNameEdit* box, const QString& name);
    // The change handler of a header box: its font shrinks until the text fits, the caret kept.
    static void EditBoxResizeToFit(TNameEdit* box);

    // Where a box draws its text: its width less its margins.
    static int textRoom(const TNameEdit* box);

    int FullPixelSize() const { return m_fullPixelSize; }

signals:
    void textChanged(const QString& text);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* ensureEditor();

    QLineEdit* m_editor = nullptr;
    // The box's state until the line edit holds it.
    QString m_text;
    int m_cursor = 0;
    bool m_readOnly = false;
    QList<QObject*> m_editingFilters;

    int m_fullPixelSize = 0;
    bool m_fitting = false;
    bool m_forwarding = false;
};
