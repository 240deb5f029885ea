#include "TRTFView.h"

#include "controls/UserMessages.h"
#include "output/FontRegistry.h"
#include "output/RtfReader.h"

#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <QTextEdit>

TRTFView::TRTFView(const QRect& mainWindow, UserMessages& messages, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_messages(messages),
      m_wanted(mainWindow.width() - 50, mainWindow.height() - 50)
{
    setWindowTitle(tr("Tarnoch User Guide"));
    setFixedSize(m_wanted);
    move(mainWindow.topLeft() + QPoint(25, 25));

    m_richEdit = new QTextEdit(this);
    m_richEdit->setObjectName(QStringLiteral("RichEdit"));
    m_richEdit->setReadOnly(true);
    m_richEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_richEdit->setGeometry(rect());
}

QRect TRTFView::placeBeside(const QRect& mainWindow, const QSize& wanted, const QRect& screen)
{
    const int rightRoom = screen.right() - mainWindow.right() - Gap;
    const int leftRoom = mainWindow.left() - screen.left() - Gap;
    const int room = std::max(rightRoom, leftRoom);
    QRect place(QPoint(), wanted.boundedTo(screen.size()));
    if (room >= NarrowestWidth) {
        place.setWidth(std::min(place.width(), room));
        const bool right = rightRoom >= place.width() || rightRoom >= leftRoom;
        place.moveLeft(right ? mainWindow.right() + Gap + 1
                             : mainWindow.left() - Gap - place.width());
        place.moveTop(mainWindow.top());
    } else {
        place.moveTopLeft(mainWindow.topLeft() + QPoint(25, 25));
    }
    // Kept on the screen, the top before the bottom.
    place.moveRight(std::min(place.right(), screen.right()));
    place.moveLeft(std::max(place.left(), screen.left()));
    place.moveBottom(std::min(place.bottom(), screen.bottom()));
    place.moveTop(std::max(place.top(), screen.top()));
    return place;
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
    if (!isVisible()) {
        const QWidget* mainWindow = parentWidget();
        const QScreen* screen = mainWindow ? mainWindow->screen() : this->screen();
        if (mainWindow && screen) {
            const QRect place =
                placeBeside(mainWindow->frameGeometry(), m_wanted, screen->availableGeometry());
            setFixedSize(place.size());
            move(place.topLeft());
        }
    }
    show();
    raise();
    activateWindow();
    return true;
}

void TRTFView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void TRTFView::resizeEvent(QResizeEvent* event)
{
    if (m_richEdit)
        m_richEdit->setGeometry(rect());
    QWidget::resizeEvent(event);
}

bool TRTFView::holdsText() const
{
    return !m_richEdit->document()->isEmpty();
}
