#include "TMainForm.h"

#include "controls/AnkhCursor.h"
#include "controls/ClickLabel.h"
#include "controls/SheetFonts.h"
#include "controls/TNameEdit.h"
#include "controls/TSelectionBox.h"
#include "controls/UserMessages.h"
#include "files/CharacterSheetIO.h"
#include "files/FileCommands.h"
#include "files/RecoveryCopy.h"
#include "files/SheetHistory.h"
#include "output/Pictures.h"
#include "panels/AboutPanel.h"
#include "panels/ExperiencePanel.h"
#include "panels/NotesPanel.h"
#include "panels/RulesPanel.h"
#include "panels/SheetPanel.h"
#include "panels/SourcebooksPanel.h"
#include "panels/TechDock.h"
#include "program/StartupChecks.h"
#include "rules/DataFile.h"
#include "rules/RulesDataLoader.h"
#include "rules/RulesPack.h"
#include "sheet/CharacterView.h"
#include "sheet/ClanEffects.h"
#include "sheet/ExperienceEffects.h"
#include "sheet/GenerationEffects.h"
#include "sheet/Recalculation.h"
#include "sheet/SheetChecks.h"
#include "window/PrintCommand.h"
#include "window/ScrollColumn.h"
#include "window/SheetOpeners.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

using namespace SheetFonts;

namespace {

constexpr int SlideSteps = 34;

} // namespace

TMainForm::TMainForm(const ProgramPaths& paths, const QStringList& parameters,
                     UserMessages& messages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_paths(paths),
      m_parameters(parameters), m_messages(messages), m_ankhCursor(AnkhCursor::create())
{
    setWindowTitle(QStringLiteral("Tarnoch"));
    checkScreen();
    placeWindow();
    // The window paints every pixel itself; nothing needs erasing underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    chooseScratchFile();
    m_view = new CharacterView(m_messages, m_ankhCursor, this);
    m_view->setPassesHeld(
        [this] { return (m_column && m_column->model().dragging()) || selectionOpen(); });
    connect(m_view, &CharacterView::layoutChanged, this, &TMainForm::updateSheetLayout);
    Recalculation& pass = m_view->recalculation();
    connect(&pass, &Recalculation::passEnding, this, &TMainForm::afterPass);
    pass.bindToIdle();
    createPictures();
    createPanels();
    readRulesData();
    if (m_startupFailed)
        return;
    createSheet();
    m_view->setPanels({m_sheet, m_rulesPanel, m_books, m_notes, m_tech});
    connect(&m_view->checks(), &SheetChecks::rowRequested, this, &TMainForm::showSheetRect);
    createExperience();
    m_view->generation().GenerationChange();
    // The rows as a loaded character has them, so that a new template reads back unchanged.
    m_view->clanEffects().ClanChanged();
    // The first pass counts everything.
    pass.TalentsDirty = pass.SkillsDirty = pass.KnowledgesDirty = pass.RowsDirty = true;
    pass.DisciplinesDirty = pass.BackgroundsDirty = pass.RulesChanged = pass.BooksDirty = true;
    finishWindow();
    createFileCommands();
}

TMainForm::~TMainForm()
{
    FormClose();
}

void TMainForm::createFileCommands()
{
    m_sheetIO = std::make_unique<CharacterSheetIO>(*m_view, m_scratch.path());
    m_files = new FileCommands(*m_view, *m_sheetIO, m_paths,
                               {NewButtonLabel, LoadButtonLabel, SaveButtonLabel}, this);
    const std::pair<ClickLabel*, void (FileCommands::*)()> commands[] = {
        {NewButton, &FileCommands::NewButtonClick},
        {NewButtonLabel, &FileCommands::NewButtonClick},
        {LoadButton, &FileCommands::LoadButtonClick},
        {LoadButtonLabel, &FileCommands::LoadButtonClick},
        {SaveButton, &FileCommands::SaveButtonClick},
        {SaveButtonLabel, &FileCommands::SaveButtonClick}};
    for (const auto& [control, command] : commands)
        connect(control, &ClickLabel::pressed, m_files, command);
    connect(m_files, &FileCommands::newCharacterShown, this, [this] {
        switchToPanel(Panel::Sheet);
        scrollSheetToTop();
        m_sheet->Name->setFocus();
    });
    connect(m_files, &FileCommands::firstRun, this, [this] { switchToPanel(Panel::About); });
    m_history = new SheetHistory(*m_view, *m_sheetIO, *m_files, *this);
    m_printing = new PrintCommand(*this);
    for (ClickLabel* control : {PrintButton, PrintButtonLabel})
        connect(control, &ClickLabel::pressed, m_printing, &PrintCommand::PrintButtonClick);
    m_files->openAtStartup(m_parameters);
}

RecoveryCopy* TMainForm::createRecoveryCopy(const QString& folder)
{
    auto* copy = new RecoveryCopy(*m_files, *m_history, *m_notes->document(), m_messages, folder);
    connect(this, &TMainForm::closedByUser, copy, &RecoveryCopy::discard);
    return copy;
}

void TMainForm::showSheetRect(const QRect& rect)
{
    switchToPanel(Panel::Sheet);
    // The row in the middle of the dock, as far as the sheet goes.
    m_column->centreSheetOn(rect);
}

const ScrollModel& TMainForm::scrollBar() const
{
    return m_column->model();
}

void TMainForm::scrollSheetToTop()
{
    m_column->scrollSheetToTop();
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

ClickLabel* TMainForm::createButton(int left, int top, const QString& caption, ClickLabel** label)
{
    static const QPixmap plate = QPixmap::fromImage(Pictures::buttonFace());
    auto* button = new ClickLabel(this);
    button->setPixmap(plate);
    button->setGeometry(left, top, 107, 31);
    button->setCursor(Qt::PointingHandCursor);
    *label = new ClickLabel(caption, this);
    (*label)->setFont(face(Times, 13));
    (*label)->setAlignment(Qt::AlignCenter);
    (*label)->setGeometry(left, top, 107, 31);
    (*label)->setCursor(Qt::PointingHandCursor);
    setTextColour(*label, CaptionColour);
    return button;
}

void TMainForm::createPictures()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, WindowColour);
    setPalette(palette);

    // Painted straight from the picture (see eventFilter): no pixmap copy of it is kept.
    BackgroundImage = new QLabel(this);
    BackgroundImage->setGeometry(0, 0, 800, 572);
    BackgroundImage->setAttribute(Qt::WA_OpaquePaintEvent);
    BackgroundImage->installEventFilter(this);

    TitleBar = new QLabel(this);
    TitleBar->setGeometry(2, 0, 796, 25);
    TitleBar->setFont(face(Blackletter, 16));
    TitleBar->installEventFilter(this);

    auto clickArea = [this](const QRect& place, const QString& hint) {
        auto* area = new ClickLabel(this);
        area->setGeometry(place);
        area->setToolTip(hint);
        area->setCursor(Qt::PointingHandCursor);
        return area;
    };
    CloseButton = clickArea(QRect(777, 0, 24, 21), tr("Close"));
    MinimizeButton = clickArea(QRect(762, 7, 14, 14), tr("Minimise"));
    AboutButton = clickArea(QRect(747, 7, 14, 14), tr("About Tarnoch"));
    connect(CloseButton, &ClickLabel::pressed, this, [this] { close(); });
    connect(MinimizeButton, &ClickLabel::pressed, this, [this] { showMinimized(); });
    connect(AboutButton, &ClickLabel::pressed, this, [this] { switchToPanel(Panel::About); });

    SheetButton = createButton(9, 24, QStringLiteral("Character Sheet"), &SheetButtonLabel);
    NoteButton = createButton(129, 24, QStringLiteral("Notes"), &NoteButtonLabel);
    RulesButton = createButton(249, 24, QStringLiteral("Rules"), &RulesButtonLabel);
    BookButton = createButton(369, 24, QStringLiteral("Sourcebooks"), &BookButtonLabel);
    setTextColour(SheetButtonLabel, ActiveColour);
    const std::array<std::pair<ClickLabel*, Panel>, 8> navigation = {{
        {SheetButton, Panel::Sheet},
        {SheetButtonLabel, Panel::Sheet},
        {NoteButton, Panel::Notes},
        {NoteButtonLabel, Panel::Notes},
        {RulesButton, Panel::Rules},
        {RulesButtonLabel, Panel::Rules},
        {BookButton, Panel::Books},
        {BookButtonLabel, Panel::Books},
    }};
    for (const auto& [control, target] : navigation)
        connect(control, &ClickLabel::pressed, this,
                [this, target = target] { switchToPanel(target); });

    NewButton = createButton(661, 409, QStringLiteral("New"), &NewButtonLabel);
    LoadButton = createButton(661, 440, QStringLiteral("Load"), &LoadButtonLabel);
    SaveButton = createButton(661, 471, QStringLiteral("Save"), &SaveButtonLabel);
    PrintButton = createButton(661, 502, QStringLiteral("Print"), &PrintButtonLabel);

    m_column = new ScrollColumn(*this);

    auto* guide = new QShortcut(QKeySequence(Qt::Key_F1), this);
    guide->setContext(Qt::ApplicationShortcut);
    connect(guide, &QShortcut::activated, this, &TMainForm::guideRequested);
}

void TMainForm::createPanels()
{
    Dock = new QWidget(this);
    Dock->setGeometry(9, ScrollModel::DockTop, 594, ScrollModel::DockHeight);
    Dock->setAutoFillBackground(true);
    QPalette paper = Dock->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    Dock->setPalette(paper);
    Dock->installEventFilter(this);

    m_books = new SourcebooksPanel(m_view->tables(), m_view->settings(), Dock);
    m_rulesPanel = new RulesPanel(m_view->settings(), m_ankhCursor, Dock);
    m_notes = new NotesPanel(Dock);
    m_tech = new TechDock(this);
    m_tech->setGeometry(638, ScrollModel::DockTop, 153, 345);
}

// The panel of the experience log, reached from its line beside the freebie tally, which
// finishes creation until it is finished.
void TMainForm::createExperience()
{
    m_experienceEffects = new ExperienceEffects(*m_view, this);
    connect(m_tech->ExperienceTally, &ClickLabel::pressed, this, [this] {
        if (m_view->experience().creationFinished || m_experienceEffects->finishCreation())
            switchToPanel(Panel::Experience);
    });
}

void TMainForm::readRulesData()
{
    RulesDataLoader::Result data = RulesDataLoader::load(m_paths.readPath(DataFile::FileName));
    if (!data.problem.isEmpty()) {
        m_messages.showMessage(QStringLiteral("Error"), data.problem);
        m_startupFailed = true;
        return;
    }
    const QStringList packFolders = {
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
            QStringLiteral("/packs"),
        m_paths.readFolder() + QStringLiteral("packs")};
    RulesPack::Result merged = RulesPack::merge(data.lines, RulesPack::readFolders(packFolders));
    if (!merged.problems.isEmpty())
        m_messages.showMessage(QStringLiteral("Rules packs"), RulesPack::message(merged.problems));
    m_view->setDataLines(std::move(merged.lines));
    m_books->buildBookList(m_view->DataLines());
    m_books->applySelection();
}

void TMainForm::createSheet()
{
    m_sheet = new SheetPanel(m_view->tables(), m_ankhCursor, Dock);
    m_sheet->move(0, 0);
    for (TNameEdit* box : {m_sheet->Name, m_sheet->Player, m_sheet->Chronicle, m_sheet->Nature,
                           m_sheet->Demeanor, m_sheet->Haven, m_sheet->Concept})
        connect(box, &TNameEdit::textChanged, this, [box] { TNameEdit::EditBoxResizeToFit(box); });
    m_column->setPanels(*Dock, *m_sheet, *m_books, *m_notes);
    updateSheetLayout();
}

void TMainForm::finishWindow()
{
    setFixedSize(StartupChecks::WindowSize);
    m_column->redraw(true);
    m_column->image()->raise();
    for (QWidget* top : {static_cast<QWidget*>(TitleBar), static_cast<QWidget*>(CloseButton),
                         static_cast<QWidget*>(MinimizeButton), static_cast<QWidget*>(AboutButton)})
        top->raise();
}

SelectionContext TMainForm::selectionContext()
{
    return {this,
            m_tech,
            m_tech->Panel,
            m_tech->Image,
            &m_tech->FadeImage,
            &m_tech->InfoImage,
            &m_view->tables(),
            FontRegistry::font(Blackletter)};
}

void TMainForm::setQuestions(RuleQuestions* questions)
{
    m_view->setQuestions(questions);
}

RuleQuestions& TMainForm::questions()
{
    return m_view->questions();
}

void TMainForm::setSelectionBox(TSelectionBox* box)
{
    m_selectionBox = box;
    m_openers = new SheetOpeners(*this, *box);
    m_notes->setSelectionBox(box);
}

bool TMainForm::selectionOpen() const
{
    return m_selectionBox && m_selectionBox->isOpen();
}

// Made when first shown: after the first run its captions' faces would cost every start.
void TMainForm::createAbout()
{
    auto* about = new AboutPanel(Dock);
    m_about = about;
    connect(about, &AboutPanel::guideRequested, this, &TMainForm::guideRequested);
}

ExperiencePanel* TMainForm::experience()
{
    if (!m_experience) {
        m_experience = new ExperiencePanel(Dock);
        m_experienceEffects->attach(*m_experience);
    }
    return m_experience;
}

RulesPanel* TMainForm::rulesPanel() const
{
    if (m_rulesPanel)
        m_rulesPanel->ensureBuilt();
    return m_rulesPanel;
}

std::array<QWidget*, 6> TMainForm::panels() const
{
    return {m_sheet, m_books, m_rulesPanel, m_notes, m_about, m_experience};
}

TMainForm::Panel TMainForm::visiblePanel() const
{
    const auto all = panels();
    for (std::size_t p = 0; p < all.size(); ++p)
        if (all[p] && all[p]->isVisibleTo(Dock))
            return Panel(p);
    return Panel::Sheet;
}

QWidget* TMainForm::panel(Panel which) const
{
    return panels()[std::size_t(which)];
}

void TMainForm::setNavigationColours(Panel shown)
{
    const std::array<std::pair<ClickLabel*, Panel>, 4> labels = {{
        {SheetButtonLabel, Panel::Sheet},
        {NoteButtonLabel, Panel::Notes},
        {RulesButtonLabel, Panel::Rules},
        {BookButtonLabel, Panel::Books},
    }};
    for (const auto& [label, p] : labels) {
        setTextColour(label, p == shown ? ActiveColour : CaptionColour);
        label->repaint();
    }
}

void TMainForm::slideDock()
{
    m_slideDirection = -m_slideDirection;
    for (int k = 1; k <= SlideSteps; ++k) {
        for (QObject* child : Dock->children())
            if (auto* w = qobject_cast<QWidget*>(child); w && w->isVisible())
                w->move(w->x() + k * m_slideDirection, w->y());
        Dock->repaint();
        QThread::msleep(1);
    }
}

void TMainForm::switchToPanel(Panel target)
{
    if (target == Panel::Experience)
        experience();
    if (target == Panel::About && !m_about)
        createAbout();
    QWidget* shown = panel(target);
    if (!shown || shown->isVisibleTo(Dock))
        return;
    if (target == Panel::Rules)
        m_rulesPanel->ensureBuilt();
    const Panel previous = visiblePanel();
    ScrollModel& scroll = m_column->model();
    scroll.setDragging(true); // the idle pass keeps out while the panels move
    repaint();
    setNavigationColours(target);
    slideDock();

    if (previous == Panel::Sheet)
        scroll.saveSheetThumb();
    if (previous == Panel::Books)
        m_books->applySelection();
    for (QWidget* other : panels())
        if (other)
            other->hide();
    m_sheet->move(0, 0);
    scroll.resetOffsets();
    m_books->rows()->move(0, 0);
    scroll.setContentHeight(target == Panel::Books ? m_books->rowsHeight() : shown->height());
    m_column->redraw(target == Panel::Books);

    shown->move(0, 0);
    if (target == Panel::Sheet) {
        // One drag step with the dragging flag set, as the scroll bar itself would make.
        scroll.setDragging(true);
        scroll.dragSheetTo(scroll.savedSheetThumb());
        m_column->showScrolled(m_sheet);
    } else if (target == Panel::Notes) {
        scroll.setNotesThumb(m_notes->notepad()->textCursor().position(),
                             m_notes->document()->characterCount() - 1);
        m_column->redraw(true);
    }
    shown->show();
    if (target == Panel::Notes)
        m_notes->notepad()->setFocus();
    scroll.setDragging(false);
}

void TMainForm::updateSheetLayout()
{
    m_column->sheetLaidOut(m_sheet->updateLayout(m_view->rowCounts()));
}

void TMainForm::afterPass()
{
    if (m_notes->isVisibleTo(Dock) && !m_column->model().dragging()) {
        m_column->followNotesCaret();
        m_notes->refreshToolbar();
    }
    if (windowState() != Qt::WindowNoState && !(windowState() & Qt::WindowMinimized))
        setWindowState(Qt::WindowNoState);
}

void TMainForm::TitleBarMouseDown(const QPoint& windowPoint)
{
    m_dragStart = windowPoint;
}

void TMainForm::TitleBarMouseMove(const QPoint& globalPoint)
{
    move(globalPoint - m_dragStart);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == Dock &&
        m_column->wheel(static_cast<QWheelEvent*>(event)->angleDelta().y()))
        return true;
    if (watched == BackgroundImage && event->type() == QEvent::Paint) {
        QPainter painter(BackgroundImage);
        Pictures::paintBackground(painter);
        // The whole window is painted in this one pass.
        if (!m_painted) {
            m_painted = true;
            emit firstPainted();
        }
        return true;
    }
    const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
    if (!mouse)
        return QWidget::eventFilter(watched, event);
    if (watched == TitleBar) {
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
            TitleBarMouseDown(mouse->position().toPoint() + TitleBar->pos());
        else if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton))
            TitleBarMouseMove(mouse->globalPosition().toPoint());
    } else if (watched == BackgroundImage) {
        if (event->type() == QEvent::MouseButtonPress)
            m_column->press(mouse->position().toPoint(), mouse->button());
        else if (event->type() == QEvent::MouseMove)
            m_column->drag(mouse->position().toPoint(), mouse->buttons());
        else if (event->type() == QEvent::MouseButtonRelease)
            m_column->release();
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), WindowColour);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (m_files && !m_files->FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit closedByUser();
}

void TMainForm::FormClose()
{
    m_scratch.remove();
}
