#pragma once

#include <QWidget>

class QTextEdit;
class UserMessages;

// The read-only window that shows the user guide.
class TRTFView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Gap = 8;              // between the guide and the main window
    static constexpr int NarrowestWidth = 400; // still reads; narrower, it overlaps instead

    // Sized from the main window's geometry, and placed over it until it first opens.
    TRTFView(const QRect& mainWindow, UserMessages& messages, QWidget* parent = nullptr);

    // Where a guide of the wanted size goes: beside the main window, on the side with room
    // for it, made narrower where the room is short; over the main window where neither side
    // has room for a guide that still reads. Always on the screen.
    static QRect placeBeside(const QRect& mainWindow, const QSize& wanted, const QRect& screen);

    // Reads the rich-text file at path into the viewer, replacing what it held. On failure
    // the viewer is left as it was and error, when given, says why.
    bool loadGuide(const QString& path, QString* error = nullptr);

    // Loads the guide unless the viewer already holds text, then shows the viewer in front,
    // beside the main window when it was hidden. A guide that cannot be loaded is reported and
    // the viewer stays hidden.
    bool openGuide(const QString& path);

    bool holdsText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTextEdit* m_richEdit = nullptr;
    UserMessages& m_messages;
    QSize m_wanted;
};
