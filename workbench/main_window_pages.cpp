// The main window's pages: the start screen, the input, utilities and
// preferences tab sets, the result views and the status bar, and their
// layout when the window is resized.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "inputs/main_lists.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/rich_text_box.h"
#include "platform/tab_page.h"
#include "sailing/utilities_page.h"
#include "workbench/core/input_masks.h"
#include "workbench/field_layout.h"
#include "workbench/focus_watch.h"
#include "workbench/frm_wait.h"
#include "workbench/main_window.h"
#include "workbench/masked_input.h"
#include "workbench/options_page.h"
#include "workbench/reading_tab_order.h"
#include "workbench/results_page.h"
#include "workbench/small_dialogs.h"
#include "workbench/star_fix_input_page.h"
#include "workbench/status_line.h"
#include "workbench/window_art.h"

namespace orvex {

void FrmWorking::BuildPages() {
    auto* client = new QWidget(this);
    client->setObjectName("frmWorking_client");
    setCentralWidget(client);

    panhGradient = new GradientBackground(client);
    panhGradient->setObjectName("panhGradient");

    picStarFix = new StartPicture("Star fix", 0, client);
    picStarFix->setObjectName("picStarFix");
    picRLGC = new StartPicture("Sailings", 1, client);
    picRLGC->setObjectName("picRLGC");
    picAzimuth = new StartPicture("Azimuth", 2, client);
    picAzimuth->setObjectName("picAzimuth");
    picStarFixWizard = new StartPicture("Star fix wizard", 3, client);
    picStarFixWizard->setObjectName("picStarFixWizard");

    BuildResultsPage(client);

    BuildInputTabs();
    BuildUtilityTabs();
    OptionsLinks options;
    // The Earth model of the chosen row, for the star fix and the utilities.
    options.EllipsoidChosen = [this](int row) {
        if (row < 0 || row >= static_cast<int>(EllipsoidRows().size())) return;
        const EllipsoidRow& chosen = EllipsoidRows()[static_cast<size_t>(row)];
        state_.E = EarthModelOf(chosen);
        utilitiesPage_->EllipsoidChosen({state_.E, EllipsoidNameOf(chosen)});
    };
    options.BackToUtilities = [this] { tabUtil->setVisible(true); };
    options.FullRoutineChosen = [this](bool on) { state_.FullRoutine = on; };
    options.OneEstPosChosen = [this](bool on) { state_.OneEstPos = on; };
    optionsPage_ = new OptionsPage(std::move(options), client);
    tabOptions = optionsPage_;
    cboEllipsoid = optionsPage_->cboEllipsoid;
    optionsPage_->BuildInterceptOptions(state_.FullRoutine,
                                        inputPage_->findChild<QCheckBox*>("ch3OneEstPos_1"));

    // The keyboard walk: Tab in reading order on every tab, and Enter
    // presses the button that has the focus.
    for (QTabWidget* tabs : {tabIn, tabUtil, tabOptions}) KeepReadingTabOrder(tabs);
    for (QPushButton* b : client->findChildren<QPushButton*>()) b->setAutoDefault(true);
}

void FrmWorking::BuildInputTabs() {
    StarFixInputLinks links;
    links.ShowTimeStore = [this] { ShowTimeStore(); };
    links.SetStatusSimple = [this](bool simple) {
        status_->SetSimple(simple);
        // The status line gives up its fix on a new data set (a load, an
        // erase) and on a solve that failed: the report and the chart of the
        // fix before go with it, so that no page shows other data's results.
        if (simple) WithdrawResults();
    };
    links.EnableAction = [this](const char* name, bool on) { Action(name)->setEnabled(on); };
    links.SetAstroMenuForInput = [this] { SetAstroMenuForInput(); };
    links.UtcNow = [this] { return UtcNow(); };
    links.FindSystErr = [this] { return optionsPage_->FindSystErrChecked(); };
    links.ResetChartView = [this] {
        state_.LopLength = 5.0;
        state_.ChartScale = 0.1;
    };
    const StarFixInputContext context{state_.DecSep, state_.BodyList, state_.AppPath,
                                      state_.CommandLineFile, state_.TimeStored};
    inputPage_ = new StarFixInputPage(state_, context, std::move(links), centralWidget());
    tabIn = inputPage_;
    connect(inputPage_, &StarFixInputPage::Cancelled, this,
            [this](int tab) { cmdCancel_Click(tab); });
    gridTeardown_.run = [this] { inputPage_->DetachObservationGrid(); };
}

void FrmWorking::BuildUtilityTabs() {
    UtilitiesLinks links;
    links.PreferencesFromPage = [this] {
        return tabOptions->property("Tag").toString() == "CalledFromUtil";
    };
    links.ChangeEllipsoid = [this] {
        tabOptions->setProperty("Tag", QString("CalledFromUtil"));
        mnuOptionsTab_Click();
    };
    links.MakeTimePicker = [](const QString& name, QWidget* parent) {
        return MakeUtPicker(name, parent);
    };
    links.WhenLeft = [](QWidget* widget, std::function<void()> onLeave) {
        new FocusWatch(widget, std::move(onLeave));
    };
    links.UtNow = [this] { return UtcNow(); };
    links.ChangingTabByCode = [this] { return changingTabByCode_; };
    links.PageClosed = [this] {
        for (const char* n : {"mnuAstro", "mnuAzi", "mnuOptions"}) Action(n)->setEnabled(true);
        for (StartPicture* p : {picStarFix, picRLGC, picAzimuth}) p->setEnabled(true);
        tlhWorking->setEnabled(true);
    };
    links.ShowPrintWait = [this] { dialogs_->Wait()->ShowWhilePrinting(); };
    links.BlankPositionText = [this](bool latitude) {
        return latitude ? BlankLatitudeText(state_.DecSep) : BlankLongitudeText(state_.DecSep);
    };
    links.Picture = [](const QString& glyph, const QColor& colour) {
        return ToolbarIcon(glyph, colour);
    };
    auto* page = new UtilitiesPage(state_.Utilities, state_.SharedWithUtilities(), std::move(links),
                                   centralWidget());
    utilitiesPage_ = page;
    tabUtil = page;
}

void FrmWorking::CenterControl(QWidget* ctl) {
    // The client area of the pages already lies above the status bar.
    const QWidget* client = centralWidget();
    const double left = (client->width() - ctl->width()) / 2.0;
    const double top = (client->height() - ctl->height()) / 2.0;
    ctl->move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
}

void FrmWorking::Form_Resize() {
    if (isMinimized()) return;
    QWidget* client = centralWidget();
    const int w = client->width();
    const int h = client->height();
    panhGradient->hide();
    panhGradient->setGeometry(0, 0, w, h);
    panhGradient->show();
    panhGradient->lower();

    resultsPage_->setGeometry(0, 0, w, h);

    // The four start pictures in a 2 x 2 block, centred.
    StartPicture* s = picStarFix;
    StartPicture* r = picRLGC;
    StartPicture* a = picAzimuth;
    StartPicture* z = picStarFixWizard;
    const double sLeft = (w - 1.6 * (s->width() + r->width())) / 2.0;
    const double sTop = (h - 1.2 * (s->height() + z->height())) / 2.0;
    const double rLeft = sLeft + 1.5 * s->width();
    const double aTop = sTop + 1.5 * s->height();
    s->move(static_cast<int>(sLeft), static_cast<int>(sTop));
    r->move(static_cast<int>(rLeft), static_cast<int>(sTop));
    a->move(static_cast<int>(sLeft), static_cast<int>(aTop));
    z->move(static_cast<int>(rLeft), static_cast<int>(aTop));

    CenterControl(tabIn);
    CenterControl(tabUtil);
    CenterControl(tabOptions);
}

}  // namespace orvex
