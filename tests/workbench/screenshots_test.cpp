// Pictures of the start screen and of every page, left in the test output
// folder for a person to look at. Nothing is compared pixel by pixel: the
// test guards that each picture is of the page it is named after (that page
// shown, on its tab) and that it was drawn (not blank).
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

#include "companions/splash.h"
#include "sailing/utilities_page.h"
#include "workbench/frm_end.h"
#include "workbench/frm_proba.h"
#include "workbench/frm_time_store.h"
#include "workbench/frm_wait.h"
#include "workbench/options_page.h"
#include "workbench_test_support.h"

namespace orvex {
namespace {

const char* const kUtilMenus[] = {"mnuUtilRL", "mnuUtilGC", "mnuUtilETA"};

// More than one colour in the picture: a page that failed to draw is flat.
bool HasContent(const QImage& img) {
    if (img.isNull() || img.width() < 50 || img.height() < 50) return false;
    const QRgb first = img.pixel(img.width() / 2, img.height() / 2);
    for (int y = 0; y < img.height(); y += 7)
        for (int x = 0; x < img.width(); x += 7)
            if (img.pixel(x, y) != first) return true;
    return false;
}

void Save(QWidget* widget, const QString& name) {
    const QPixmap pm = widget->grab();
    const QString path = test::TestOutputFolder() + "/" + name + ".png";
    EXPECT_TRUE(pm.save(path)) << path.toStdString();
    EXPECT_TRUE(HasContent(pm.toImage())) << name.toStdString();
}

TEST(Screenshots, StartScreenAndEveryPage) {
    test::ProgramFolder folder;
    test::FakeSettings settings;
    PlatformScript script;
    auto w = test::StartedWindow(settings);
    w->resize(1024, 720);
    w->show();
    Save(w.get(), "main-start-screen");

    test::RunAction(*w, "mnuAstroEnter");
    for (int tab = 0; tab < test::TabSet(*w, "tabIn")->count(); ++tab) {
        test::TabSet(*w, "tabIn")->blockSignals(true);
        test::TabSet(*w, "tabIn")->setCurrentIndex(tab);
        test::TabSet(*w, "tabIn")->blockSignals(false);
        EXPECT_TRUE(test::TabSet(*w, "tabIn")->isVisible());
        EXPECT_EQ(test::TabSet(*w, "tabIn")->currentIndex(), tab);
        Save(w.get(), QString("main-starfix-tab%1").arg(tab));
    }
    test::RunAction(*w, "bthMain");

    // Result pages: the report box and the chart with their toolbars.
    test::TabSet(*w, "tabIn")->hide();
    test::ReportBox(*w)->setPlainText("Numeric results of the star fix appear here.");
    test::ReportBox(*w)->show();
    w->ShowToolbar(test::Bar(*w, "tlhNum"));
    Save(w.get(), "main-numeric-results");
    test::ReportBox(*w)->hide();
    test::ChartBox(*w)->show();
    w->ShowToolbar(test::Bar(*w, "tlhGraph"));
    Save(w.get(), "main-graphic-results");
    test::RunAction(*w, "bthMain");

    for (int tab = 0; tab < 3; ++tab) {
        test::RunAction(*w, kUtilMenus[tab]);
        auto* util = test::Named<QTabWidget>(w.get(), "tabUtil");
        EXPECT_TRUE(util->isVisible());
        EXPECT_EQ(util->currentIndex(), tab);
        Save(w.get(), QString("main-utilities-tab%1").arg(tab));
        test::UtilitiesControl<QPushButton>(*w, QString("cmdEndTabUtil_%1").arg(tab))->click();
    }
    test::RunAction(*w, "bthMain");
    test::RunAction(*w, "mnuOptionsTab");
    for (int tab = 0; tab < 3; ++tab) {
        test::TabSet(*w, "tabOptions")->blockSignals(true);
        test::TabSet(*w, "tabOptions")->setCurrentIndex(tab);
        test::TabSet(*w, "tabOptions")->blockSignals(false);
        EXPECT_TRUE(test::TabSet(*w, "tabOptions")->isVisible());
        EXPECT_EQ(test::TabSet(*w, "tabOptions")->currentIndex(), tab);
        Save(w.get(), QString("main-preferences-tab%1").arg(tab));
    }
    test::ClickButton(test::Named(w.get(), "cmdEndTabOptions_2"));

    // The small windows.
    FrmSplash* splash = w->Dialogs()->Splash();
    splash->Form_Activate();  // as the about box shows itself
    Save(splash, "about-box");
    FrmSplash fresh;
    fresh.SetVersionText("1.21");
    fresh.Form_Activate();
    fresh.tmrSplash->stop();
    Save(&fresh, "splash");
    Save(w->Dialogs()->End(), "quit-confirmation");
    Save(w->Dialogs()->Proba(), "probability");
    FrmTimeStore* timeStore = w->Dialogs()->TimeStore();
    timeStore->show();  // reads the clock as it opens
    Save(timeStore, "time-store");
    timeStore->hide();
    Save(w->Dialogs()->Wait(), "wait");
}

}  // namespace
}  // namespace orvex
