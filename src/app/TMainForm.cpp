#include "TMainForm.h"

#include "app/AnkhCursor.h"
#include "app/StartupChecks.h"
#include "app/UserMessages.h"
#include "rules/DataFile.h"
#include "rules/RulesDataLoader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QScreen>

TMainForm::TMainForm(const ProgramPaths& paths, const QStringList& parameters,
                     UserMessages& messages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_paths(paths),
      m_parameters(parameters), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Tarnoch"));
    checkScreen();
    placeWindow();
    m_ankhCursor = AnkhCursor::create();
    // The window paints every pixel itself; nothing needs erasing underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    chooseScratchFile();
    readRulesData();
    if (m_startupFailed)
        return;
    // The sheet rows, the printer check, the settings and the first character follow here.
    setFixedSize(StartupChecks::WindowSize);
}

TMainForm::~TMainForm()
{
    FormClose();
}

void TMainForm::checkScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    if (StartupChecks::screenTooSmall(screen->size())) {
        m_messages.showMessage(QStringLiteral("Error"), StartupChecks::ScreenTooSmallText);
        // Construction goes on; the program ends as soon as the event loop starts.
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
    if (StartupChecks::fewColours(screen->depth()))
        m_messages.showMessage(QStringLiteral("Suggestion"), StartupChecks::FewColoursText);
}

void TMainForm::placeWindow()
{
    setFixedSize(StartupChecks::WindowSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(StartupChecks::windowPosition(screen->availableGeometry()));
}

void TMainForm::chooseScratchFile()
{
    if (!m_scratch.create(m_paths.writeFolder()))
        m_messages.showMessage(QStringLiteral("Error"),
                               tr("The scratch file cannot be created in \"%1\"; notes cannot be "
                                  "saved in this session.")
                                   .arg(m_paths.writeFolder()));
}

void TMainForm::readRulesData()
{
    RulesDataLoader::Result data = RulesDataLoader::load(m_paths.readPath(DataFile::FileName));
    if (!data.problem.isEmpty()) {
        m_messages.showMessage(QStringLiteral("Error"), data.problem);
        m_startupFailed = true;
        return;
    }
    m_dataLines = std::move(data.lines);
}

void TMainForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 64, 0));
    painter.fillRect(QRect(9, 60, 594, 502), Qt::white);
    painter.fillRect(QRect(638, 60, 153, 345), Qt::black);
    QFont title(QStringLiteral("Lucida Blackletter"));
    title.setPixelSize(16);
    painter.setFont(title);
    painter.setPen(QColor(96, 160, 128));
    painter.drawText(QRect(2, 0, 796, 25), Qt::AlignCenter, QStringLiteral("Tarnoch"));
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMainForm::FormClose()
{
    m_scratch.remove();
}
