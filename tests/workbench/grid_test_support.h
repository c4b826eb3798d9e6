// Shared pieces of the observation-grid, star-fix and observation-file
// tests: a started main window on the star-fix page, a clock that makes the
// editors' short pauses instant, and helpers that put sights into the grid.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QToolBar>

#include "navlib/hooks.h"
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

struct GridWindow {
    ProgramFolder folder;
    FakeSettings settings;
    PlatformScript script;
    FastPauses pauses;
    std::unique_ptr<FrmWorking> w = StartedWindow(settings);

    GridWindow() {
        w->resize(1000, 720);
        w->show();
        w->mnuAstroEnter_Click();
        w->tabIn->setCurrentIndex(2);
        QApplication::setActiveWindow(w.get());
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w.get());
        script.Clear();
    }

    // Puts a committed sight into row r directly (as the file loader does).
    void PutRow(int r, const QString& time, const QString& body, const QString& hs,
                const QString& corr) {
        const QString t[4] = {time, body, hs, corr};
        for (int c = 0; c < 4; ++c) {
            w->grdObs->SetTextMatrix(r, c, t[c]);
            w->State().ObsCellFilled[r][c] = true;
        }
    }

    // The program's own report template and planetary data in the program
    // folder, so that the results commands run as they do for the user.
    void UseProgramData() {
        for (const char* name : {"NumResults.rtf", "Planet.dat"}) {
            QFile::remove(folder.Path() + "/" + name);
            QFile::copy(QString(ORVEX_PROGRAM_DIR) + "/" + name, folder.Path() + "/" + name);
        }
    }

    // Clicks the shown toolbar button of an action, as the mouse does.
    void ClickTool(const char* action) {
        QAction* a = w->Action(action);
        for (QToolBar* bar : w->findChildren<QToolBar*>())
            if (QWidget* b = bar->widgetForAction(a); b && b->isVisible())
                return QTest::mouseClick(b, Qt::LeftButton);
        ADD_FAILURE() << "no button shown for " << action;
    }

    // Marks every input of the page entered.
    void EnterEverything() {
        for (int i = 1; i <= 8; ++i) w->State().FixEntered[i] = true;
    }
};

}  // namespace orvex::test
