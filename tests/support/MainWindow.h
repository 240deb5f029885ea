#pragma once

#include "ProgramFonts.h"
#include "RecordedMessages.h"
#include "ScriptedAnswers.h"
#include "ScriptedDialogs.h"
#include "controls/ClickLabel.h"
#include "controls/PaintedSection.h"
#include "controls/TNameEdit.h"
#include "controls/TSelectionBox.h"
#include "controls/TVampireDots.h"
#include "files/FileCommands.h"
#include "panels/NotesPanel.h"
#include "panels/RulesPanel.h"
#include "panels/SheetPanel.h"
#include "panels/TechDock.h"
#include "rules/TextRoutines.h"
#include "sheet/CharacterView.h"
#include "sheet/Recalculation.h"
#include "window/TMainForm.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

// Runs the event loop, as the program's runs, until the idle pass of every window has served
// what was done so far (QTest::qWait polls and never lets the loop wait, so no pass would run).
// A pass that never settles fails the test instead of hanging it.
inline void idle()
{
    QList<Recalculation*> waiting;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TMainForm*>(window))
            waiting.append(&form->view().recalculation());
    QEventLoop loop;
    for (Recalculation* pass : std::as_const(waiting))
        QObject::connect(pass, &Recalculation::settled, &loop, [&waiting, &loop, pass] {
            if (waiting.removeAll(pass) && waiting.isEmpty())
                loop.quit();
        });
    QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
    if (!waiting.isEmpty())
        QVERIFY2(loop.exec() == 0, "the idle pass did not settle within 10 seconds");
}

// The centre of the dot of rating k on a sheet row of 8-pixel dots with 2-pixel gaps.
inline QPoint dotCentre(const TVampireDots* dots, int k)
{
    return QPoint((k - dots->MinDots()) * 10 + 4, 4);
}

// The user's acts, each served by the idle pass: a dot pressed, a control clicked, a text entered.
inline void pressDot(TVampireDots* dots, int k)
{
    QTest::mouseClick(dots, Qt::LeftButton, {}, dotCentre(dots, k));
    idle();
}

inline void click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton);
    idle();
}

// A text written into a name box or a line edit, as a choice from a list writes it.
template <typename Box> void enter(Box* box, const QString& text)
{
    box->setText(text);
    idle();
}

// A box's text without the full stops that pad a row's name.
template <typename Box> QString stripped(const Box* box)
{
    return TextRoutines::StripDots(box->text());
}

// The colour a label's text is drawn in.
inline QColor textColour(const QWidget* label)
{
    return label->palette().color(QPalette::WindowText);
}

// The blood pool boxes the sheet shows.
inline int shownBloodPool(const SheetPanel* sheet)
{
    return sheet->bloodPoolShown();
}

// The program's window with a write folder of its own (kept as long as the fixture, so only a
// test class's first window starts without a template), its popup list, and the questions,
// file dialogs and messages scripted or recorded.
struct MainWindow
{
    // A window on the built program's files, or on those of another program folder.
    std::unique_ptr<TMainForm> create(const QStringList& parameters = {},
                                      const QString& programFolder = TARNOCH_PROGRAM_DIR)
    {
        auto window = std::make_unique<TMainForm>(ProgramPaths(programFolder, dir.path() + '/'),
                                                  parameters, messages);
        window->setSelectionBox(new TSelectionBox(window->selectionContext(), window.get()));
        window->setQuestions(&answers);
        window->files().setDialogs(&dialogs);
        return window;
    }

    // Replaces the window with a new one shown on the panel, scripts and messages fresh, settled.
    void open(TMainForm::Panel panel = TMainForm::Panel::Sheet, const QStringList& parameters = {},
              const QString& programFolder = TARNOCH_PROGRAM_DIR)
    {
        form.reset();
        messages.shown.clear();
        answers = {};
        dialogs = {};
        form = create(parameters, programFolder);
        form->show();
        form->switchToPanel(panel);
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        idle();
    }

    TSelectionBox* popup() const { return form->selectionBox(); }

    // A right press on a box; true when it opened the popup list.
    bool rightPress(QWidget* box, QPoint at = QPoint(5, 5)) const
    {
        QTest::mousePress(box, Qt::RightButton, {}, at);
        return popup()->isOpen();
    }

    ProgramFonts fonts;
    QTemporaryDir dir;
    RecordedMessages messages;
    ScriptedAnswers answers;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};
