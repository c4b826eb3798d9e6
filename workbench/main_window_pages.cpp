// The main window's pages: the start screen, the input, utilities and
// preferences tab sets, the result views and the status bar, and their
// layout when the window is resized.
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

#include "platform/rich_text_box.h"
#include "workbench/main_window.h"
#include "workbench/reading_tab_order.h"
#include "workbench/masked_input.h"
#include "workbench/options_page.h"
#include "workbench/results_page.h"
#include "workbench/tab_page.h"
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
    options.EllipsoidChosen = [this] { cboEllipsoid_Click(0); };
    options.BackToUtilities = [this] { tabUtil->setVisible(true); };
    optionsPage_ = new OptionsPage(std::move(options), client);
    tabOptions = optionsPage_;
    cboEllipsoid = optionsPage_->cboEllipsoid;
    BuildStarFixInputControls();
    BuildSailingControls();

    // The keyboard walk: Tab in reading order on every tab, and Enter
    // presses the button that has the focus.
    for (QTabWidget* tabs : {tabIn, tabUtil, tabOptions}) KeepReadingTabOrder(tabs);
    for (QPushButton* b : client->findChildren<QPushButton*>()) b->setAutoDefault(true);
}

void FrmWorking::BuildInputTabs() {
    QWidget* client = centralWidget();
    tabIn = new QTabWidget(client);
    tabIn->setObjectName("tabIn");
    tabIn->setFixedSize(600, 400);
    tabIn->setVisible(false);
    tabIn->installEventFilter(this);
    const TabPage pos = MakeTabPage(tabIn, "&Position", "tabIn_0");
    const TabPage cond = MakeTabPage(tabIn, " Obs. &conditions", "tabIn_1");
    const TabPage obs = MakeTabPage(tabIn, "&Observations", "tabIn_2");

    auto field = [this](QWidget* parent, const char* name, int index) {
        auto* f = MakeMaskedField(parent, index < 0 ? QString(name) : Indexed(name, index));
        if (index < 0) singleMasks[name] = f;
        return f;
    };
    mskLat[5] = field(pos.fields, "mskLat", 5);
    mskLong[5] = field(pos.fields, "mskLong", 5);
    mskCourse[0] = field(pos.fields, "mskCourse", 0);
    AddRow(pos, "Estimated latitude", mskLat[5]);
    AddRow(pos, "Estimated longitude", mskLong[5]);
    AddRow(pos, "Course", mskCourse[0]);
    AddRow(pos, "Speed", field(pos.fields, "mskSpeed", -1));

    AddRow(cond, "Height of eye (m)", field(cond.fields, "mskHeightM", -1));
    AddRow(cond, "Height of eye (ft)", field(cond.fields, "mskHeightF", -1));
    mskInstErr[0] = field(cond.fields, "mskInstErr", 0);
    AddRow(cond, "Instrument correction", mskInstErr[0]);
    for (int i = 0; i < 2; ++i) {
        mskTempCelcius[i] = field(cond.fields, "mskTempCelcius", i);
        mskTempFahr[i] = field(cond.fields, "mskTempFahr", i);
    }
    AddRow(cond, "Air temperature (°C)", mskTempCelcius[0]);
    AddRow(cond, "Air temperature (°F)", mskTempFahr[0]);
    AddRow(cond, "Sea temperature (°C)", mskTempCelcius[1]);
    AddRow(cond, "Sea temperature (°F)", mskTempFahr[1]);
    AddRow(cond, "Pressure (hPa)", field(cond.fields, "mskPress_mBars", -1));
    AddRow(cond, "Pressure (inHg)", field(cond.fields, "mskPressHg", -1));

    // The observation grid's in-cell editors float over the grid and stay
    // hidden until a cell is edited.
    mskInstErr[1] = field(obs.fields, "mskInstErr", 1);
    mskInstErr[1]->setVisible(false);
    field(obs.fields, "mskHeightInst", -1)->setVisible(false);
    cboBody = new QComboBox(obs.fields);
    cboBody->setObjectName("cboBody");
    cboBody->setVisible(false);
    auto* chrono = MakeButton(obs.fields, "F5", "cmdChronoF5");
    chrono->setToolTip("Store current time");
    obs.grid->addWidget(chrono, 0, 0);
    connect(chrono, &QPushButton::clicked, this, &FrmWorking::ShowTimeStore);
    BuildObservationGrid(obs.fields, obs.grid);

    const TabPage* pages[] = {&pos, &cond, &obs};
    for (int tab = 0; tab < 3; ++tab) {
        QHBoxLayout* row = pages[tab]->buttons;
        QWidget* page = pages[tab]->page;
        if (tab >= 1) {
            cmdPrevTabIn[tab - 1] = MakeButton(page, "&Previous tab", Indexed("cmdPrevTabIn", tab));
            row->addWidget(cmdPrevTabIn[tab - 1]);
            connect(cmdPrevTabIn[tab - 1], &QPushButton::clicked, this,
                    &FrmWorking::cmdPrevTabIn_Click);
        }
        if (tab <= 1) {
            cmdNextTabIn[tab] = MakeButton(page, "&Next tab", Indexed("cmdNextTabIn", tab));
            row->addWidget(cmdNextTabIn[tab]);
            connect(cmdNextTabIn[tab], &QPushButton::clicked, this,
                    &FrmWorking::cmdNextTabIn_Click);
        }
        cmdCancel[tab] = MakeButton(page, "C&ancel", Indexed("cmdCancel", tab));
        row->addWidget(cmdCancel[tab]);
        connect(cmdCancel[tab], &QPushButton::clicked, this, [this, tab] { cmdCancel_Click(tab); });
    }
}

void FrmWorking::BuildUtilityTabs() {
    QWidget* client = centralWidget();
    tabUtil = new QTabWidget(client);
    tabUtil->setObjectName("tabUtil");
    tabUtil->setFixedSize(640, 420);
    tabUtil->setVisible(false);
    const TabPage rl = MakeTabPage(tabUtil, "&Rhumb Line", "tabUtil_0");
    const TabPage gc = MakeTabPage(tabUtil, "&Great Circle", "tabUtil_1");
    const TabPage eta = MakeTabPage(tabUtil, " &ETA Calculation", "tabUtil_2");

    auto field = [this](QWidget* parent, const char* name, int index) {
        auto* f = MakeMaskedField(parent, index < 0 ? QString(name) : Indexed(name, index));
        if (index < 0) singleMasks[name] = f;
        return f;
    };
    for (int i = 0; i <= 4; ++i) {
        const TabPage& t = i <= 1 ? rl : gc;
        mskLat[i] = field(t.fields, "mskLat", i);
        mskLong[i] = field(t.fields, "mskLong", i);
    }
    AddRow(rl, "Departure latitude", mskLat[0]);
    AddRow(rl, "Departure longitude", mskLong[0]);
    AddRow(rl, "Arrival latitude", mskLat[1]);
    AddRow(rl, "Arrival longitude", mskLong[1]);
    mskCourse[1] = field(rl.fields, "mskCourse", 1);
    AddRow(rl, "Course", mskCourse[1]);
    AddRow(rl, "Distance", field(rl.fields, "mskDist", -1));
    lblDistance1 = new QLabel("[ nautical miles ]", rl.fields);
    lblDistance1->setObjectName("lblDistance_1");
    rl.grid->addWidget(lblDistance1, rl.grid->rowCount() - 1, 2);

    AddRow(gc, "Departure latitude", mskLat[2]);
    AddRow(gc, "Departure longitude", mskLong[2]);
    AddRow(gc, "Arrival latitude", mskLat[3]);
    AddRow(gc, "Arrival longitude", mskLong[3]);
    AddRow(gc, "Limiting latitude", mskLat[4]);
    AddRow(gc, "Waypoint interval", mskLong[4]);
    rtfCalcWP = new RichTextBox(gc.fields);
    rtfCalcWP->setObjectName("rtfCalcWP");
    rtfCalcWP->setReadOnly(true);
    rtfCalcWP->setVisible(false);

    AddRow(eta, "Distance to go", field(eta.fields, "mskDTG", -1));
    AddRow(eta, "Minimum speed", field(eta.fields, "mskMinSpeed", -1));
    AddRow(eta, "Maximum speed", field(eta.fields, "mskMaxSpeed", -1));
    AddRow(eta, "Speed interval", field(eta.fields, "mskInterv", -1));
    for (int i = 0; i < 2; ++i) {
        cboGMT[i] = new QComboBox(eta.fields);
        cboGMT[i]->setObjectName(Indexed("cboGMT", i));
        connect(cboGMT[i], &QComboBox::currentIndexChanged, this, [this, i] { cboGMT_Click(i); });
    }
    AddRow(eta, "Zone of the departure time", cboGMT[0]);
    AddRow(eta, "Zone of the local ETA", cboGMT[1]);

    const TabPage* pages[] = {&rl, &gc, &eta};
    for (int tab = 0; tab < 3; ++tab) {
        QHBoxLayout* row = pages[tab]->buttons;
        QWidget* page = pages[tab]->page;
        if (tab >= 1) {
            cmdPrevTabUtil[tab - 1] =
                MakeButton(page, "&Previous tab", Indexed("cmdPrevTabUtil", tab));
            row->addWidget(cmdPrevTabUtil[tab - 1]);
            connect(cmdPrevTabUtil[tab - 1], &QPushButton::clicked, this,
                    &FrmWorking::cmdPrevTabUtil_Click);
        }
        if (tab <= 1) {
            cmdNextTabUtil[tab] = MakeButton(page, "&Next tab", Indexed("cmdNextTabUtil", tab));
            row->addWidget(cmdNextTabUtil[tab]);
            connect(cmdNextTabUtil[tab], &QPushButton::clicked, this,
                    &FrmWorking::cmdNextTabUtil_Click);
        }
        cmdEndTabUtil[tab] = MakeButton(page, "En&d", Indexed("cmdEndTabUtil", tab));
        row->addWidget(cmdEndTabUtil[tab]);
        connect(cmdEndTabUtil[tab], &QPushButton::clicked, this, &FrmWorking::cmdEndTabUtil_Click);
    }
}

const QStringList& FrmWorking::StatusPanelKeys() {
    static const QStringList keys = {"TimeTruePos", "MPP",   "Proba", "Ellipse", "Circle",
                                     "Course",      "Speed", "Full",  "Iter",    "SystErr"};
    return keys;
}

void FrmWorking::BuildStatusBar() {
    staNumDisp = new QStatusBar(this);
    staNumDisp->setObjectName("staNumDisp");
    staNumDisp->setSizeGripEnabled(true);
    setStatusBar(staNumDisp);
    statusSimpleText_ = new QLabel(staNumDisp);
    statusSimpleText_->setObjectName("staNumDisp_Simple");
    staNumDisp->addWidget(statusSimpleText_, 1);
    for (const QString& key : StatusPanelKeys()) {
        auto* panel = new QLabel(staNumDisp);
        panel->setObjectName("staNumDisp_" + key);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(key == "MPP" || key == "TimeTruePos" || key == "Full" ? 120 : 50);
        panel->setProperty("PanelKey", key);
        panel->installEventFilter(this);
        staNumDisp->addPermanentWidget(panel, key == "MPP" ? 2 : 1);
        statusPanels_[key] = panel;
    }
    SetStatusSimple(false);
}

QLabel* FrmWorking::StatusPanel(const QString& key) const {
    const auto it = statusPanels_.find(key);
    return it == statusPanels_.end() ? nullptr : it->second;
}

void FrmWorking::SetStatusSimple(bool simple, const QString& text) {
    statusSimple_ = simple;
    statusSimpleText_->setText(text);
    statusSimpleText_->setVisible(simple);
    for (auto& [key, panel] : statusPanels_) panel->setVisible(!simple);
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
    picLMChart->setGeometry(0, 0, w, h);
    rtfNumDisp->setGeometry(picLMChart->geometry());

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
    if (picLMChart->isVisible()) picLMChart->update();
}

}  // namespace orvex
