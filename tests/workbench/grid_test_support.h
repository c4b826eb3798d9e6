// Shared pieces of the observation-grid, star-fix and observation-file
// tests: a started main window on the star-fix page, a clock that makes the
// editors' short pauses instant, and helpers that put sights into the grid.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <QToolBar>
#include <deque>
#include <functional>

#include "input_page_widgets.h"
#include "navlib/hooks.h"
#include "tests/keyboard.h"
#include "workbench/observation_grid.h"
#include "workbench_test_support.h"

namespace orvex::test {

// The editors pause 0.3 s after a commit; the pump moves the manual clock
// on so that the pause ends at its first round.
struct FastPauses {
    ManualClock clock{43200.0};
    FastPauses() {
        SetEventPump([this] {
            QCoreApplication::processEvents();
            clock.seconds += 0.35;
        });
    }
    ~FastPauses() { SetEventPump(nullptr); }
};

// A keyboard and mouse as fast as a navigator's fingers: the keys (and
// clicks) are queued and delivered one per turn of the event loop, each key
// to the widget that has the focus when it arrives, and nothing waits for
// one to be handled (unlike QTest::keyClick). As from a real keyboard, a
// capital or a shifted sign comes between a press and a release of Shift,
// each its own turn. Characters of `keys`: '\t' Tab, '^' Up, anything else
// itself.
class FastKeyboard : public QObject {
  public:
    void Type(const QString& keys) {
        for (const QChar c : keys) {
            const bool shift = c != '^' && keyboard_detail::NeedsShift(c);
            if (shift) Then([] { Send(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier, {}); });
            Then([c, shift] { Deliver(c, shift ? Qt::ShiftModifier : Qt::NoModifier); });
            if (shift) Then([] { Send(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier, {}); });
        }
    }
    // Queues an action (a click) for its turn.
    void Then(std::function<void()> step) {
        steps_.push_back(std::move(step));
        if (steps_.size() == 1) QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    // Turns the event loop until everything has been delivered.
    void Drain() {
        for (int i = 0; i < 10000 && !steps_.empty(); ++i) QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

  protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        if (steps_.empty()) return true;
        const std::function<void()> step = std::move(steps_.front());
        steps_.pop_front();
        if (!steps_.empty()) QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        step();
        return true;
    }

  private:
    static void Send(QEvent::Type type, int key, Qt::KeyboardModifiers mods, const QString& text) {
        if (QWidget* to = KeyTarget()) {
            QKeyEvent k(type, key, mods, text);
            QCoreApplication::sendEvent(to, &k);
        }
    }
    static void Deliver(QChar c, Qt::KeyboardModifiers mods) {
        const int key = c == '\t' ? Qt::Key_Tab : c == '^' ? Qt::Key_Up : keyboard_detail::KeyOf(c);
        const QString text = c == '^' ? QString() : QString(c);
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            Send(type, key, mods, text);
    }
    std::deque<std::function<void()>> steps_;
};

struct GridWindow {
    ProgramFolder folder;
    FakeSettings settings;
    PlatformScript script;
    FastPauses pauses;
    std::unique_ptr<FrmWorking> w = StartedWindow(settings);

    GridWindow() {
        w->resize(1000, 720);
        w->show();
        w->Action("mnuAstroEnter")->trigger();
        test::TabSet(*w, "tabIn")->setCurrentIndex(2);
        QApplication::setActiveWindow(w.get());
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w.get());
        script.Clear();
    }

    // Puts a committed sight into row r of the session's table directly (as
    // the file loader does); the grid follows the table.
    void PutRow(int r, const QString& time, const QString& body, const QString& hs,
                const QString& corr) {
        // The altitude and correction as typed with the window's separator.
        const QString sep = QString::fromStdString(w->State().DecSep);
        const QString t[4] = {time, body, ShownNumbers(hs, sep), ShownNumbers(corr, sep)};
        for (int c = 0; c < 4; ++c)
            w->State().Sights.PutText(r, c, t[c].toStdString(), sep.toStdString());
    }

    // The program's own report template and planetary data in the program
    // folder, so that the results commands run as they do for the user.
    void UseProgramData() {
        for (const char* name : {"NumResults.rtf", "Planet.dat"}) {
            QFile::remove(folder.Path() + "/" + name);
            QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/" + name, folder.Path() + "/" + name);
        }
    }

    // Clicks the shown toolbar button of an action, as the mouse does; an
    // action whose toolbar is not shown is triggered as its menu item would.
    void Click(const char* action) {
        QAction* a = w->Action(action);
        if (!a) {
            ADD_FAILURE() << "no action " << action;
            return;
        }
        for (QToolBar* bar : w->findChildren<QToolBar*>())
            if (QWidget* b = bar->widgetForAction(a); b && b->isVisible())
                return QTest::mouseClick(b, Qt::LeftButton);
        a->trigger();
    }

    // Marks every input of the page entered.
    void EnterEverything() {
        for (int i = 1; i <= 8; ++i) w->State().FixEntered[i] = true;
    }
};

// A GridWindow whose program folder holds the program's own report template
// and planetary file, so that the results commands run whole.
struct ResultsWindow : GridWindow {
    ResultsWindow() { UseProgramData(); }
    // Loads an observation file through the open dialog; false when the
    // dialog was asked again (the file refused).
    bool Load(const QString& path) {
        script.fileNames = {path};
        w->Action("mnuAstroLoad")->trigger();
        return script.fileNames.empty();
    }
};

}  // namespace orvex::test
