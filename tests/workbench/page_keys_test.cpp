// The keyboard on the page the navigator sees: after each page switch,
// made by the visible buttons, pictures and menus, the focus is on a
// visible, enabled control of the page shown, and keys typed there change
// nothing on the pages that are not shown. The results buttons run their
// command whatever the menu items' state.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "grid_test_support.h"
#include "sailing/utilities_page.h"
#include "workbench/options_page.h"
#include "workbench/window_art.h"

namespace orvex {
namespace {

QString SampleFile() {
    return QString(ORVEX_SOURCE_DIR) + "/data/files/Observations/08Dec26A.obs";
}

struct PageKeys : ::testing::Test, test::ResultsWindow {
    // What the controls the navigator cannot see hold, with the windows
    // shown (a wizard opened by a key would show in the list).
    QStringList Unseen() const {
        QStringList out;
        for (QWidget* x : w->findChildren<QWidget*>()) {
            // The grid's in-cell editors hide again once their cell is
            // committed: they belong to the grid.
            if (x->isVisible() || w->InputPage()->grdObs->viewport()->isAncestorOf(x)) continue;
            QString v;
            if (auto* d = qobject_cast<QDateTimeEdit*>(x))
                v = d->dateTime().toString(Qt::ISODate);
            else if (auto* e = qobject_cast<QLineEdit*>(x))
                v = e->text();
            else if (auto* c = qobject_cast<QComboBox*>(x))
                v = c->currentText();
            else if (auto* b = qobject_cast<QAbstractButton*>(x))
                v = b->isChecked() ? "on" : "off";
            else if (auto* t = qobject_cast<QTabWidget*>(x))
                v = QString::number(t->currentIndex());
            else if (auto* g = qobject_cast<ObservationGrid*>(x))
                for (int r = 1; r < g->Rows(); ++r)
                    for (int c = 0; c < 4; ++c) v += g->TextMatrix(r, c) + "|";
            else
                continue;
            out << x->objectName() + "=" + v;
        }
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible()) out << "window " + top->objectName();
        return out;
    }

    // The focus is on a visible, enabled control of `page`; printable keys
    // and Tab typed there leave every unseen control as it was.
    void ExpectKeysStayOn(QWidget* page, const char* step, const QString& typed = "p3 \t3\t") {
        SCOPED_TRACE(step);
        QApplication::processEvents();
        QWidget* f = QApplication::focusWidget();
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->isVisible() && f->isEnabled()) << f->objectName().toStdString();
        EXPECT_TRUE(f == page || page->isAncestorOf(f)) << f->objectName().toStdString();
        const QStringList before = Unseen();
        test::FastKeyboard keys;
        keys.Type(typed);
        keys.Drain();
        EXPECT_EQ(Unseen(), before);
        script.Clear();
    }
    void MouseClick(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
};

// Guards the keys typed after every page switch: once the grid's sight 1
// was rewritten from the chart page, and a Space on the hidden start
// picture opened the wizard over the input page.
TEST_F(PageKeys, EveryPageSwitchLeavesTheKeysOnThePageShown) {
    QWidget* start = w->centralWidget();
    Click("bthMain");
    ExpectKeysStayOn(start, "start screen", "p3\t3\t");
    MouseClick(w->picStarFix);
    ExpectKeysStayOn(w->tabIn, "star fix picture");
    Click("bthMain");
    script.fileNames = {SampleFile()};
    w->Action("mnuAstroLoad")->trigger();
    ExpectKeysStayOn(w->tabIn, "load datas");
    QTest::mouseClick(w->InputPage()->tabBar(), Qt::LeftButton, {},
                      w->InputPage()->tabBar()->tabRect(0).center());
    MouseClick(w->InputPage()->cmdNextTabIn[0]);
    ExpectKeysStayOn(w->tabIn, "next tab");
    MouseClick(w->InputPage()->cmdPrevTabIn[0]);
    ExpectKeysStayOn(w->tabIn, "previous tab", "");  // its fields are typed in elsewhere
    MouseClick(w->InputPage()->cmdNextTabIn[0]);
    MouseClick(w->InputPage()->cmdNextTabIn[1]);
    ASSERT_EQ(QApplication::focusWidget(), w->InputPage()->grdObs);
    Click("bthGraphRes");
    ExpectKeysStayOn(w->picLMChart, "graphic results");
    Click("bthBackStarFix2");
    ExpectKeysStayOn(w->picLMChart, "back to the star-fix toolbar");
    Click("bthNumRes");
    ExpectKeysStayOn(w->rtfNumDisp, "numeric results");
    Click("bthBackStarFix1");
    Click("bthCorr");
    ExpectKeysStayOn(w->tabIn, "correction of datas");
    MouseClick(w->InputPage()->cmdCancel[0]);
    ASSERT_TRUE(w->rtfNumDisp->isVisible());
    ExpectKeysStayOn(w->rtfNumDisp, "cancel over the report");
    w->Action("mnuAstroErase")->trigger();
    ExpectKeysStayOn(start, "erase datas", "p3\t3\t");
    w->Action("mnuAstroEnter")->trigger();
    ExpectKeysStayOn(w->tabIn, "enter datas");
    Click("bthMain");
    MouseClick(w->picRLGC);
    ExpectKeysStayOn(w->tabUtil, "utilities", "");  // typed last, below
    MouseClick(test::UtilitiesControl(*w, "cmdEndTabUtil_0"));
    ASSERT_FALSE(w->tabUtil->isVisible());
    ExpectKeysStayOn(start, "end of the utilities", "p3\t3\t");
    w->Action("mnuOptionsTab")->trigger();
    ExpectKeysStayOn(w->tabOptions, "preferences");
    MouseClick(w->Options()->cmdEndTabOptions[0]);
    ASSERT_FALSE(w->tabOptions->isVisible());
    ExpectKeysStayOn(start, "end of the preferences", "p3\t3\t");
    Click("bthStarfix");
    ExpectKeysStayOn(w->tabIn, "star fix button");
    Click("bthMain");
    MouseClick(w->picRLGC);
    ExpectKeysStayOn(w->tabUtil, "utilities");
}

// Guards the results buttons doing nothing: their menu items stay greyed
// once their view was shown, and the buttons went through them.
TEST_F(PageKeys, ResultsButtonsRunWhateverTheMenus) {
    ASSERT_TRUE(Load(SampleFile()));
    for (const char* button : {"bthNumRes", "bthGraphRes"}) {
        SCOPED_TRACE(button);
        QWidget* view = button == std::string("bthNumRes") ? static_cast<QWidget*>(w->rtfNumDisp)
                                                           : w->picLMChart;
        Click(button);
        ASSERT_TRUE(view->isVisible());
        // Correct datas, Cancel, the star fix picture, the button again.
        w->Action("mnuAstroCorrect")->trigger();
        MouseClick(w->InputPage()->cmdCancel[0]);
        MouseClick(w->picStarFix);
        ASSERT_TRUE(w->tabIn->isVisible());
        Click(button);
        EXPECT_TRUE(view->isVisible());
        EXPECT_FALSE(w->tabIn->isVisible());
        // Enter datas, the button again.
        w->Action("mnuAstroEnter")->trigger();
        Click(button);
        EXPECT_TRUE(view->isVisible());
        EXPECT_FALSE(w->tabIn->isVisible());
        EXPECT_TRUE(script.messages.empty()) << script.LastText().toStdString();
    }
}

}  // namespace
}  // namespace orvex
