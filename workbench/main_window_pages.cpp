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
#include "workbench/star_fix_input_page.h"
#include "workbench/masked_input.h"
#include "workbench/window_art.h"

namespace orvex {

namespace {

// A tab page: a field area that the page's own work fills, above a row of
// navigation buttons.
struct TabPage {
    QWidget* page;
    QWidget* fields;
    QGridLayout* grid;
    QHBoxLayout* buttons;
};

TabPage MakeTabPage(QTabWidget* tabs, const QString& caption, const QString& name) {
    TabPage t;
    t.page = new QWidget(tabs);
    t.page->setObjectName(name);
    auto* v = new QVBoxLayout(t.page);
    t.fields = new QWidget(t.page);
    t.fields->setObjectName(name + "_fields");
    t.grid = new QGridLayout(t.fields);
    t.grid->setColumnStretch(2, 1);
    v->addWidget(t.fields, 1);
    t.buttons = new QHBoxLayout;
    t.buttons->addStretch(1);
    v->addLayout(t.buttons);
    tabs->addTab(t.page, caption);
    return t;
}

void AddRow(const TabPage& t, const QString& label, QWidget* field) {
    const int row = t.grid->rowCount();
    auto* l = new QLabel(label, t.fields);
    t.grid->addWidget(l, row, 0);
    t.grid->addWidget(field, row, 1);
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QString Indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

}  // namespace

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

    rtfNumDisp = new RichTextBox(client);
    rtfNumDisp->setObjectName("rtfNumDisp");
    rtfNumDisp->setReadOnly(true);
    rtfNumDisp->setVisible(false);
    picLMChart = new QWidget(client);
    picLMChart->setObjectName("picLMChart");
    picLMChart->setAutoFillBackground(true);
    {
        QPalette pal = picLMChart->palette();
        pal.setColor(QPalette::Window, Qt::white);
        picLMChart->setPalette(pal);
    }
    picLMChart->setVisible(false);

    BuildInputTabs();
    BuildUtilityTabs();
    BuildOptionsTabs();
    BuildStarFixInputControls();
    BuildSailingControls();

    // The keyboard walk: Tab in reading order on every tab, and Enter
    // presses the button that has the focus.
    for (QTabWidget* tabs : {tabIn, tabUtil, tabOptions}) KeepReadingTabOrder(tabs);
    for (QPushButton* b : client->findChildren<QPushButton*>()) b->setAutoDefault(true);
}

void FrmWorking::BuildInputTabs() {
    StarFixInputLinks links;
    links.ShowTimeStore = [this] { ShowTimeStore(); };
    links.SetStatusSimple = [this](bool simple) { SetStatusSimple(simple); };
    links.EnableAction = [this](const char* name, bool on) { Action(name)->setEnabled(on); };
    links.SetAstroMenuForInput = [this] { SetAstroMenuForInput(); };
    links.UtcNow = [this] { return clockUtcNow ? clockUtcNow() : 0.0; };
    inputPage_ = new StarFixInputPage(state_, std::move(links), centralWidget());
    tabIn = inputPage_;
    ch3OneEstPos[1] = inputPage_->ch3OneEstPos1;
    for (int tab = 0; tab < 3; ++tab)
        connect(inputPage_->cmdCancel[tab], &QPushButton::clicked, this,
                [this, tab] { cmdCancel_Click(tab); });
    onLoadObservations = [this] { inputPage_->cmdLoadObs_Click(); };
    gridTeardown_.run = [this] { inputPage_->DetachObservationGrid(); };
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

void FrmWorking::BuildOptionsTabs() {
    QWidget* client = centralWidget();
    tabOptions = new QTabWidget(client);
    tabOptions->setObjectName("tabOptions");
    tabOptions->setFixedSize(560, 360);
    tabOptions->setVisible(false);
    tabOptions->setProperty("Tag", QString());
    const TabPage ell = MakeTabPage(tabOptions, "&Ellipsoid", "tabOptions_0");
    const TabPage icp = MakeTabPage(tabOptions, "&Intercepts", "tabOptions_1");
    const TabPage time = MakeTabPage(tabOptions, "&Time", "tabOptions_2");
    Q_UNUSED(icp);
    Q_UNUSED(time);

    cboEllipsoid = new QComboBox(ell.fields);
    cboEllipsoid->setObjectName("cboEllipsoid_0");
    AddRow(ell, "Earth model", cboEllipsoid);
    connect(cboEllipsoid, &QComboBox::currentIndexChanged, this, [this] { cboEllipsoid_Click(0); });

    const TabPage* pages[] = {&ell, &icp, &time};
    for (int tab = 0; tab < 3; ++tab) {
        QHBoxLayout* row = pages[tab]->buttons;
        QWidget* page = pages[tab]->page;
        if (tab >= 1) {
            cmdPrevTabOptions[tab - 1] =
                MakeButton(page, "&Previous tab", Indexed("cmdPrevTabOptions", tab));
            row->addWidget(cmdPrevTabOptions[tab - 1]);
            connect(cmdPrevTabOptions[tab - 1], &QPushButton::clicked, this,
                    &FrmWorking::cmdPrevTabOptions_Click);
        }
        if (tab <= 1) {
            cmdNextTabOptions[tab] =
                MakeButton(page, "&Next tab", Indexed("cmdNextTabOptions", tab));
            row->addWidget(cmdNextTabOptions[tab]);
            connect(cmdNextTabOptions[tab], &QPushButton::clicked, this,
                    &FrmWorking::cmdNextTabOptions_Click);
        }
        cmdEndTabOptions[tab] = MakeButton(page, "En&d", Indexed("cmdEndTabOptions", tab));
        row->addWidget(cmdEndTabOptions[tab]);
        connect(cmdEndTabOptions[tab], &QPushButton::clicked, this,
                &FrmWorking::cmdEndTabOptions_Click);
    }
    BuildClockPage();
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
