#include "TRTFView.h"

#include "app/FontRegistry.h"
#include "app/UserMessages.h"
#include "output/RtfReader.h"

#include <QFile>
#include <QTextEdit>

TRTFView::TRTFView(const QRect& mainWindow, UserMessages& messages, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_messages(messages)
{
    // A blank caption: an empty one would let the platform show the program's name instead.
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(mainWindow.width() - 50, mainWindow.height() - 50);
    move(mainWindow.topLeft() + QPoint(25, 25));

    m_richEdit = new QTextEdit(this);
    m_richEdit->setObjectName(QStringLiteral("RichEdit"));
    m_richEdit->setReadOnly(true);
    m_richEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit->setGeometry(rect());
}

bool TRTFView::loadGuide(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = tr("Cannot open file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = tr("Cannot read file \"%1\". %2").arg(path, file.errorString());
        return false;
    }
    RtfReader reader;
    if (!reader.read(bytes, m_richEdit->document())) {
        if (error)
            *error = tr("Cannot read file \"%1\". %2").arg(path, reader.errorString());
        return false;
    }
    FontRegistry::useRegisteredStyles(*m_richEdit->document());
    m_richEdit->moveCursor(QTextCursor::Start);
    return true;
}

bool TRTFView::openGuide(const QString& path)
{
    if (!holdsText()) {
        QString error;
        if (!loadGuide(path, &error)) {
            m_messages.showMessage(tr("Error"), error);
            return false;
        }
    }
    show();
    raise();
    activateWindow();
    return true;
}

bool TRTFView::holdsText() const
{
    return !m_richEdit->document()->isEmpty();
}
