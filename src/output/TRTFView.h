#pragma once

#include <QWidget>

class QTextEdit;
class UserMessages;

// The read-only window that shows the user guide.
class TRTFView : public QWidget
{
    Q_OBJECT
public:
    // Sized and placed once from the main window's geometry.
    TRTFView(const QRect& mainWindow, UserMessages& messages, QWidget* parent = nullptr);

    // Reads the rich-text file at path into the viewer, replacing what it held. On failure
    // the viewer is left as it was and error, when given, says why.
    bool loadGuide(const QString& path, QString* error = nullptr);

    // Loads the guide unless the viewer already holds text, then shows the viewer in front.
    // A guide that cannot be loaded is reported and the viewer stays hidden.
    bool openGuide(const QString& path);

    bool holdsText() const;

private:
    QTextEdit* m_richEdit = nullptr;
    UserMessages& m_messages;
};
