#pragma once

#include "controls/TVampireDots.h"
#include "sheet/CharacterView.h"
#include "sheet/Recalculation.h"
#include "window/TMainForm.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

// A window of the program showing its sheet, settled through the event loop as the program
// settles: each time the loop runs dry the idle pass runs; the repaints its writes asked for
// are served before the loop runs dry again. Counts the rating controls painted meanwhile.
class SettledSheet : public QObject
{
public:
    explicit SettledSheet(TMainForm& form) : m_form(form)
    {
        m_form.show();
        m_form.switchToPanel(TMainForm::Panel::Sheet);
        qApp->installEventFilter(this);
        settle();
    }

    // Runs the loop until a pass has settled and the loop has run dry once more after it.
    void settle()
    {
        QEventLoop loop;
        bool settled = false, woken = false;
        const auto pass = connect(&m_form.view().recalculation(), &Recalculation::settled, &loop,
                                  [&settled] { settled = true; });
        // Connected after the pass, so it runs after the pass in the same turn of the loop.
        const auto dry = connect(QAbstractEventDispatcher::instance(),
                                 &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
                                     if (woken)
                                         loop.quit();
                                     else if (settled) {
                                         woken = true;
                                         // The loop may have nothing left to wake it.
                                         QTimer::singleShot(0, &loop, [] {});
                                     }
                                 });
        loop.exec();
        disconnect(pass);
        disconnect(dry);
    }

    // Rating controls painted so far.
    int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<TVampireDots*>(watched))
            ++m_paints;
        return false;
    }

private:
    TMainForm& m_form;
    int m_paints = 0;
};
