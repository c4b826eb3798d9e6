// The sailing utilities page of the main window: its controls, the erase,
// compute, swap and print buttons, the utilities' own input fields, the
// spinners, and TestCompute with its three cases (rhumb line, great circle,
// ETA table). The computations themselves live in sailing/ and navlib/.
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

#include "charts/print_lib.h"
#include "navlib/array_lib.h"
#include "navlib/date_time.h"
#include "navlib/hooks.h"
#include "navlib/inout_lib.h"
#include "navlib/nautical_angles.h"
#include "navlib/number_format.h"
#include "navlib/time_lib.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "platform/rich_text_box.h"
#include "sailing/eta_table.h"
#include "sailing/great_circle_report.h"
#include "sailing/great_circle_sailing.h"
#include "sailing/rhumb_line_utility.h"
#include "sailing/utility_fault.h"
#include "workbench/core/input_masks.h"
#include "workbench/frm_wait.h"
#include "workbench/main_window.h"
#include "workbench/up_down_buttons.h"
#include "workbench/window_art.h"

namespace orvex {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

QGridLayout* FieldGrid(QTabWidget* tabs, int tab) {
    auto* fields = tabs->findChild<QWidget*>(QString("tabUtil_%1_fields").arg(tab));
    return fields ? qobject_cast<QGridLayout*>(fields->layout()) : nullptr;
}

QHBoxLayout* ButtonRow(QTabWidget* tabs, int tab) {
    auto* page = tabs->widget(tab);
    auto* v = page ? qobject_cast<QVBoxLayout*>(page->layout()) : nullptr;
    return v && v->count() > 1 ? qobject_cast<QHBoxLayout*>(v->itemAt(1)->layout()) : nullptr;
}

int RowOf(QGridLayout* grid, QWidget* w) {
    int row = 0, col = 0, rs = 0, cs = 0;
    const int i = grid->indexOf(w);
    if (i < 0) return -1;
    grid->getItemPosition(i, &row, &col, &rs, &cs);
    return row;
}

void Relabel(QGridLayout* grid, QWidget* field, const QString& text) {
    const int row = RowOf(grid, field);
    if (row < 0) return;
    if (QLayoutItem* it = grid->itemAtPosition(row, 0))
        if (auto* l = qobject_cast<QLabel*>(it->widget())) l->setText(text);
}

// The red sign shown while the rhumb-line inputs pose no problem.
QPixmap StopPicture() {
    QPixmap pm(28, 28);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 0, 0));
    p.setPen(QPen(Qt::white, 2));
    p.drawEllipse(2, 2, 24, 24);
    p.drawRect(7, 12, 14, 4);
    return pm;
}

// The ellipsoid's name from the list row "WGS 1984 - 1/298.257..." .
QString EllipsoidName(const QString& row) {
    const int dash = row.lastIndexOf(" - ");
    return (dash > 0 ? row.left(dash) : row).trimmed();
}

// An ETA field whose text was refused, or passed over after a refusal,
// shows a value the table would not use: the table waits until it is
// corrected.
void MarkEtaRefused(MaskedField* f, bool refused) {
    f->setProperty("EtaRefused", refused);
}

bool EtaRefused(const MaskedField* f) {
    return f->property("EtaRefused").toBool();
}

// The pictures of the ETA table's three headings: speed, ETA in UTC, ETA
// in the zone time.
constexpr int kEtaHeaderPicture = 20;  // pixels
QIcon EtaHeaderPicture(int column) {
    static const char* const glyphs[] = {"kn", "UT", "LT"};
    static const QColor colours[] = {QColor(0, 110, 170), QColor(0, 140, 90), QColor(190, 110, 0)};
    return QIcon(ToolbarIcon(glyphs[column], colours[column]).pixmap(kEtaHeaderPicture));
}

QString PadLeft(const std::string& s, int width) {
    QString t = Q(s);
    while (t.size() < width) t.prepend('_');
    return t;
}

}  // namespace

// ---- Building the page ---------------------------------------------------------

void FrmWorking::BuildSailingControls() {
    tabUtil->setFixedSize(940, 600);
    QGridLayout* rl = FieldGrid(tabUtil, 0);
    QGridLayout* gc = FieldGrid(tabUtil, 1);
    QGridLayout* eta = FieldGrid(tabUtil, 2);
    QWidget* rlW = rl->parentWidget();
    QWidget* gcW = gc->parentWidget();
    QWidget* etaW = eta->parentWidget();
    for (QGridLayout* g : {rl, gc, eta}) {
        g->setColumnStretch(2, 0);
        g->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    }

    auto erase = [this](int i, const QString& tip, QWidget* parent) {
        auto* b =
            new QPushButton(i == 6 || i == 7 || i == 14 ? "Erase all" : QString(u8"×"), parent);
        b->setObjectName(Indexed("cmdErase", i));
        b->setToolTip(tip);
        if (!(i == 6 || i == 7 || i == 14)) b->setFixedWidth(28);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdErase_Click(i); });
        cmdErase[static_cast<size_t>(i)] = b;
        return b;
    };
    auto place = [](QGridLayout* g, QWidget* field, QWidget* w, int col) {
        g->addWidget(w, RowOf(g, field), col, Qt::AlignLeft);
    };
    const QString latTip = "Enter degrees [°] minutes ['] & tenths of minute N/+ S/-";
    const QString longTip = "Enter degrees [°] minutes ['] & tenths of minute E/+ W/-";
    MaskedField* mskDist = singleMasks["mskDist"];
    MaskedField* mskDTG = singleMasks["mskDTG"];
    MaskedField* mskMinSpeed = singleMasks["mskMinSpeed"];
    MaskedField* mskMaxSpeed = singleMasks["mskMaxSpeed"];
    MaskedField* mskInterv = singleMasks["mskInterv"];

    // Rhumb line.
    const char* rlLabels[] = {
        "Latitude Pos. 1 :", "Longitude Pos. 1 :", "Latitude Pos. 2 :", "Longitude Pos. 2 :"};
    for (int i = 0; i < 2; ++i) {
        Relabel(rl, mskLat[i], rlLabels[2 * i]);
        Relabel(rl, mskLong[i], rlLabels[2 * i + 1]);
        mskLat[i]->setToolTip(latTip);
        mskLong[i]->setToolTip(longTip);
        place(rl, mskLat[i], erase(2 * i, "Erase latitude", rlW), 2);
        place(rl, mskLong[i], erase(2 * i + 1, "Erase longitude", rlW), 2);
    }
    Relabel(rl, mskCourse[1], "Course :");
    Relabel(rl, mskDist, "Distance :");
    mskCourse[1]->setToolTip("Enter degrees [°] & tenths of degree");
    mskDist->setToolTip("Enter nautical miles & hundredths of nautical mile");
    place(rl, mskCourse[1], erase(4, "Erase course", rlW), 2);
    place(rl, mskDist, erase(5, "Erase distance", rlW), 2);
    rl->removeWidget(lblDistance1);
    place(rl, mskDist, lblDistance1, 3);
    {
        const int row = rl->rowCount();
        cmdShift = new QPushButton(u8"Departure ⇅ Arrival", rlW);
        cmdShift->setObjectName("cmdShift");
        cmdShift->setToolTip("Invert departure - arrival");
        connect(cmdShift, &QPushButton::clicked, this, &FrmWorking::cmdShift_Click);
        rl->addWidget(cmdShift, row, 1);
        rl->addWidget(erase(6, "Erase all", rlW), row, 2, 1, 2, Qt::AlignLeft);
        imgStopCompute = new QLabel(rlW);
        imgStopCompute->setObjectName("imgStopCompute");
        imgStopCompute->setPixmap(StopPicture());
        imgStopCompute->setToolTip("Not able to compute");
        rl->addWidget(imgStopCompute, 0, 4, 2, 1, Qt::AlignLeft | Qt::AlignTop);
        rl->setColumnStretch(5, 1);
    }

    // Great circle.
    for (int i = 2; i < 4; ++i) {
        Relabel(gc, mskLat[i], rlLabels[2 * (i - 2)]);
        Relabel(gc, mskLong[i], rlLabels[2 * (i - 2) + 1]);
        mskLat[i]->setToolTip(latTip);
        mskLong[i]->setToolTip(longTip);
        place(gc, mskLat[i], erase(2 * i + 4, "Erase latitude", gcW), 2);
        place(gc, mskLong[i], erase(2 * i + 5, "Erase longitude", gcW), 2);
    }
    Relabel(gc, mskLat[4], "Max. Latitude :");
    Relabel(gc, mskLong[4], "Long. interval :");
    mskLat[4]->setToolTip("Enter max. lat. you don't want to exceed");
    mskLong[4]->setToolTip("Enter long. interval between 2 waypoints");
    place(gc, mskLat[4], erase(12, "Erase max. latitude", gcW), 2);
    place(gc, mskLong[4], erase(13, "Erase long. interval", gcW), 2);
    {
        auto* box = new QWidget(gcW);
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        updLat = new UpDownButtons("updLat", box);
        lblNS = new QLabel(box);
        lblNS->setObjectName("lblNS");
        lblNS->setMinimumWidth(12);
        h->addWidget(updLat);
        h->addWidget(lblNS);
        place(gc, mskLat[4], box, 3);
        updLong = new UpDownButtons("updLong", gcW);
        place(gc, mskLong[4], updLong, 3);
        connect(updLat, &UpDownButtons::UpClick, this, [this] { updLat_Click(true); });
        connect(updLat, &UpDownButtons::DownClick, this, [this] { updLat_Click(false); });
        connect(updLong, &UpDownButtons::UpClick, this, [this] { updLong_Click(true); });
        connect(updLong, &UpDownButtons::DownClick, this, [this] { updLong_Click(false); });
        gc->addWidget(erase(7, "Erase all", gcW), gc->rowCount(), 1, Qt::AlignLeft);
    }
    for (int i = 0; i < 2; ++i) {
        QGridLayout* g = i == 0 ? rl : gc;
        QWidget* parent = i == 0 ? rlW : gcW;
        fraEllipsoid[i] = new QGroupBox(" Reference ellipsoid ", parent);
        fraEllipsoid[i]->setObjectName(Indexed("fraEllipsoid", i));
        auto* v = new QVBoxLayout(fraEllipsoid[i]);
        v->addWidget(new QLabel("You are currently using", fraEllipsoid[i]));
        lblChoosenEllipsoid[i] = new QLabel(fraEllipsoid[i]);
        lblChoosenEllipsoid[i]->setObjectName(Indexed("lblChoosenEllipsoid", i));
        lblChoosenEllipsoid[i]->setToolTip("2x click to change ellipsoid");
        QFont f = lblChoosenEllipsoid[i]->font();
        f.setBold(true);
        lblChoosenEllipsoid[i]->setFont(f);
        lblChoosenEllipsoid[i]->installEventFilter(this);
        lblChoosenEllipsoid[i]->setProperty("UtilEllipsoidLabel", true);
        v->addWidget(lblChoosenEllipsoid[i]);
        v->addWidget(
            new QLabel("as reference ellipsoid for all the computations.", fraEllipsoid[i]));
        auto* sphere = new QLabel(
            i == 0 ? "Use \"Normal Sphere\" to compare with traditional results."
                   : "Use \"Normal Sphere\" to compare with traditional results.\n"
                     "On an ellipsoid the track is a geodesic: its vertex, distance and\n"
                     "courses differ slightly from those of a great circle on a sphere.",
            fraEllipsoid[i]);
        sphere->setObjectName(Indexed("lblSphere", i));
        v->addWidget(sphere);
        v->addStretch(1);
        g->addWidget(fraEllipsoid[i], g->rowCount(), 0, 1, 4);
    }
    {
        outGCRes = new QTreeWidget(gcW);
        outGCRes->setObjectName("outGCRes");
        outGCRes->setHeaderHidden(true);
        outGCRes->setRootIsDecorated(false);
        outGCRes->setIndentation(14);
        outGCRes->setVisible(false);
        outGCRes->setMinimumHeight(230);
        const int row = RowOf(gc, fraEllipsoid[1]);
        gc->addWidget(outGCRes, row, 0, 1, 4);
        rtfCalcWP->setParent(gcW);
        rtfCalcWP->setMinimumWidth(500);
        gc->addWidget(rtfCalcWP, 0, 4, row + 1, 1);
        gc->setColumnStretch(3, 1);
        gc->setColumnStretch(4, 4);
        gc->setRowStretch(row, 1);
    }

    // ETA.
    Relabel(eta, mskDTG, "Distance to go :");
    Relabel(eta, mskMinSpeed, "min. speed :");
    Relabel(eta, mskMaxSpeed, "max. speed :");
    Relabel(eta, mskInterv, "interval :");
    Relabel(eta, cboGMT[0], "Departure time in");
    Relabel(eta, cboGMT[1], "Arrival local time in");
    mskDTG->setToolTip("Enter nautical miles & hundredths of nautical mile");
    mskMinSpeed->setToolTip("Minimum speed in knots");
    mskMaxSpeed->setToolTip("Maximum speed in knots");
    mskInterv->setToolTip("Interval between speeds in knots");
    place(eta, mskDTG, erase(15, "Erase distance", etaW), 2);
    place(eta, mskMinSpeed, erase(16, "Reset speed", etaW), 2);
    place(eta, mskMaxSpeed, erase(17, "Reset speed", etaW), 2);
    place(eta, mskInterv, erase(18, "Reset interval", etaW), 2);
    updMinSpeed = new UpDownButtons("updMinSpeed", etaW);
    updMaxSpeed = new UpDownButtons("updMaxSpeed", etaW);
    updInterval = new UpDownButtons("updInterval", etaW);
    // The speed fields are as wide as their five places: the table's speed
    // column is 1.7 of that width.
    for (MaskedField* f : {mskMinSpeed, mskMaxSpeed, mskInterv}) {
        f->setFixedWidth(f->fontMetrics().horizontalAdvance("000.00") + 26);
        eta->setAlignment(f, Qt::AlignLeft);
    }
    place(eta, mskMinSpeed, updMinSpeed, 3);
    place(eta, mskMaxSpeed, updMaxSpeed, 3);
    place(eta, mskInterv, updInterval, 3);
    connect(updMinSpeed, &UpDownButtons::UpClick, this, [this] { updMinSpeed_Click(true); });
    connect(updMinSpeed, &UpDownButtons::DownClick, this, [this] { updMinSpeed_Click(false); });
    connect(updMaxSpeed, &UpDownButtons::UpClick, this, [this] { updMaxSpeed_Click(true); });
    connect(updMaxSpeed, &UpDownButtons::DownClick, this, [this] { updMaxSpeed_Click(false); });
    connect(updInterval, &UpDownButtons::UpClick, this, [this] { updInterval_Click(true); });
    connect(updInterval, &UpDownButtons::DownClick, this, [this] { updInterval_Click(false); });
    {
        // The departure picker dtpTime(2) stands in the field column; its
        // commit is the pickers' own (dtpTime_LostFocus with index 2).
        if (dtpTime[2] && RowOf(eta, dtpTime[2]) >= 0) {
            const int row = RowOf(eta, dtpTime[2]);
            eta->removeWidget(dtpTime[2]);
            eta->addWidget(dtpTime[2], row, 1, 1, 3, Qt::AlignLeft);
        }
        auto* fra = new QGroupBox(" Correct ETA to read  ", etaW);
        fra->setObjectName("fraRound");
        auto* v = new QVBoxLayout(fra);
        const char* texts[] = {"exact time", "tenths of hour", "quaters of hour"};
        for (int i = 0; i < 3; ++i) {
            optRound[static_cast<size_t>(i)] = new QRadioButton(texts[i], fra);
            optRound[static_cast<size_t>(i)]->setObjectName(Indexed("optRound", i));
            v->addWidget(optRound[static_cast<size_t>(i)]);
            connect(optRound[static_cast<size_t>(i)], &QRadioButton::clicked, this,
                    [this, i] { optRound_Click(i); });
        }
        optRound[0]->setChecked(true);
        eta->addWidget(fra, eta->rowCount(), 0, 1, 4);
        eta->addWidget(erase(14, "Erase all", etaW), eta->rowCount(), 1, Qt::AlignLeft);
        grdCalcETA = new QTableWidget(etaW);
        grdCalcETA->setObjectName("grdCalcETA");
        // The picker is wide enough that the table's time columns, 0.9 of
        // its width, show a whole ETA in the table's font.
        QFont tableFont = grdCalcETA->font();
        tableFont.setPointSize(12);
        const int etaText = QFontMetrics(tableFont).horizontalAdvance("28 Sep 2026 22:22:22") + 18;
        dtpTime[2]->setMinimumWidth(static_cast<int>(std::ceil(etaText / 0.9)));
        grdCalcETA->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grdCalcETA->verticalHeader()->setVisible(false);
        grdCalcETA->setVisible(false);
        const int lastRow = eta->rowCount();
        eta->addWidget(grdCalcETA, 0, 4, lastRow + 1, 1);
        eta->setColumnStretch(4, 1);
        eta->setRowStretch(lastRow, 1);
    }

    // Compute and print buttons, in each tab's button row.
    const char* computeTips[] = {"Compute RL", "Compute GC", "Compute ETA"};
    for (int tab = 0; tab < 3; ++tab) {
        QHBoxLayout* row = ButtonRow(tabUtil, tab);
        QWidget* page = tabUtil->widget(tab);
        cmdCompute[static_cast<size_t>(tab)] = new QPushButton("&Compute", page);
        cmdCompute[static_cast<size_t>(tab)]->setObjectName(Indexed("cmdCompute", tab));
        cmdCompute[static_cast<size_t>(tab)]->setToolTip(computeTips[tab]);
        connect(cmdCompute[static_cast<size_t>(tab)], &QPushButton::clicked, this,
                [this, tab] { cmdCompute_Click(tab); });
        row->insertWidget(0, cmdCompute[static_cast<size_t>(tab)]);
        if (tab >= 1) {
            auto* p = new QPushButton("&Print", page);
            p->setObjectName(Indexed("cmdAskPrint", tab - 1));
            p->setToolTip("Print results");
            connect(p, &QPushButton::clicked, this, [this, tab] { cmdAskPrint_Click(tab - 1); });
            row->insertWidget(1, p);
            cmdAskPrint[static_cast<size_t>(tab - 1)] = p;
        }
    }

    // Commits of the utilities' own fields.
    auto hook = [](MaskedField* f, std::function<void()> fn) {
        f->SetCommitHook([fn](MaskedField&) { fn(); });
    };
    hook(mskDist, [this] { mskDist_LostFocus(); });
    hook(mskDTG, [this] { mskDTG_LostFocus(); });
    hook(mskMinSpeed, [this] { mskMinSpeed_LostFocus(); });
    hook(mskMaxSpeed, [this] { mskMaxSpeed_LostFocus(); });
    hook(mskInterv, [this] { mskInterv_LostFocus(); });
    onTestCompute = [this](int b) { TestCompute(b); };
    onUtilTabEntered = [this] { tabUtil_GotFocus(); };
    connect(tabUtil, &QTabWidget::currentChanged, this, [this] {
        if (!changingTabByCode_ && tabUtil->isVisible()) tabUtil_GotFocus();
    });
    imgStopCompute->setVisible(true);
}

// ---- Fields of the utilities alone ---------------------------------------------

void FrmWorking::mskDist_LostFocus() {
    MaskedField* f = singleMasks["mskDist"];
    if (f->IsEmptyEntry()) {
        state_.UtilEntered[11] = false;
        TestCompute(0);
        return;
    }
    state_.RLDist = ParsePositiveText(f->MaskedText().toStdString(), state_.DecSep);
    if (state_.RLDist == kNegativeNumber) {
        f->Reject("Negative distance.", MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    state_.UtilEntered[11] = true;
    f->SetBackColor(kValidGreen);
    TestCompute(0);
}

void FrmWorking::mskDTG_LostFocus() {
    MaskedField* f = singleMasks["mskDTG"];
    if (f->IsEmptyEntry()) return;
    state_.EtaDist = ParsePositiveText(f->MaskedText().toStdString(), state_.DecSep);
    MarkEtaRefused(f, state_.EtaDist == kNegativeNumber);
    if (state_.EtaDist == kNegativeNumber) {
        f->Reject("Negative distance.", MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    f->SetBackColor(kValidGreen);
}

void FrmWorking::mskMinSpeed_LostFocus() {
    MaskedField* f = singleMasks["mskMinSpeed"];
    if (f->IsEmptyEntry()) return;
    MarkEtaRefused(f, true);  // until the value is taken
    // The commit after a refusal of either speed passes without a message;
    // a valid speed typed then is still taken.
    const bool silent = state_.SkipSpeedCheck;
    state_.SkipSpeedCheck = false;
    const double v = ParsePositiveText(f->MaskedText().toStdString(), state_.DecSep);
    if (silent && (v <= 0.0 || v > state_.MaxSpeed)) return;
    state_.MinSpeed = v;
    if (v <= 0.0) {
        state_.MinSpeed = state_.MaxSpeed;
        f->Reject("Your minimum speed is zero or negative.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    if (v > state_.MaxSpeed) {
        state_.SkipSpeedCheck = true;
        state_.MinSpeed = state_.MaxSpeed;
        f->Reject("Your minimum speed is greater than the maximum speed.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    MarkEtaRefused(f, false);
    f->SetBackColor(kValidGreen);
}

void FrmWorking::mskMaxSpeed_LostFocus() {
    MaskedField* f = singleMasks["mskMaxSpeed"];
    if (f->IsEmptyEntry()) return;
    MarkEtaRefused(f, true);  // until the value is taken
    // The commit after a refusal of either speed passes without a message;
    // a valid speed typed then is still taken.
    const bool silent = state_.SkipSpeedCheck;
    state_.SkipSpeedCheck = false;
    const double v = ParsePositiveText(f->MaskedText().toStdString(), state_.DecSep);
    if (silent && (v <= 0.0 || v < state_.MinSpeed)) return;
    state_.MaxSpeed = v;
    if (v <= 0.0) {
        state_.MaxSpeed = state_.MinSpeed;
        f->Reject("Your maximum speed is zero or negative.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    if (v < state_.MinSpeed) {
        state_.SkipSpeedCheck = true;
        state_.MaxSpeed = state_.MinSpeed;
        f->Reject("Your maximum speed is less than the minimum speed.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    MarkEtaRefused(f, false);
    f->SetBackColor(kValidGreen);
}

void FrmWorking::mskInterv_LostFocus() {
    MaskedField* f = singleMasks["mskInterv"];
    if (f->IsEmptyEntry()) return;
    const double v = ParsePositiveText(f->MaskedText().toStdString(), state_.DecSep);
    state_.SpeedInterv = v;
    const double range = std::fabs(state_.MaxSpeed - state_.MinSpeed);
    MarkEtaRefused(f, v <= 0.0 || v > range);
    if (v <= 0.0) {
        state_.SpeedInterv = 0.1;
        f->Reject("Your speed interval is negative or zero.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    if (v > range) {
        state_.SpeedInterv = range;
        f->Reject("Your speed interval is too big.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    f->SetBackColor(kValidGreen);
}

void FrmWorking::optRound_Click(int index) {
    static const double steps[] = {86400.0, 240.0, 96.0};
    if (index < 0 || index > 2) return;
    state_.EtaRound = steps[index];
    if (!optRound[static_cast<size_t>(index)]->isChecked())
        optRound[static_cast<size_t>(index)]->setChecked(true);
}

// ---- Spinners -----------------------------------------------------------------------

void FrmWorking::updLat_Click(bool up) {
    // The limit is shown without its hemisphere, and after a computation it
    // holds the vertex's sign: the arrows step its size.
    double& v = state_.Lat(5);
    const double size = std::fabs(v), sign = v < 0.0 ? -1.0 : 1.0;
    if (up) {
        if (v == 0.0)
            v = std::fabs(state_.Lat(3)) >= std::fabs(state_.Lat(4)) ? state_.Lat(3)
                                                                     : state_.Lat(4);
        else if (size <= 89.0)
            v = sign * (size + 1.0);
    } else if (size >= 1.0) {
        v = sign * (size - 1.0);
    }
    mskLat[4]->SetMaskedText(Q(FormatLatitude(v, state_.DecSep)).left(6));
    mskLat[4]->Commit();
}

void FrmWorking::updLong_Click(bool up) {
    double& v = state_.Long(5);
    if (up) {
        if (v < 99.0) v += 1.0;
    } else if (v > 1.0) {
        v -= 1.0;
    }
    mskLong[4]->SetMaskedText(Q(FormatLongitude(v, state_.DecSep)).mid(1, 6));
    mskLong[4]->Commit();
}

void FrmWorking::updMinSpeed_Click(bool up) {
    double& v = state_.MinSpeed;
    if (up && v < 999.0) v += 1.0;
    if (!up && v > 1.0) v -= 1.0;
    MaskedField* f = singleMasks["mskMinSpeed"];
    f->SetMaskedText(PadLeft(FormatNumber(v, "##0.0", state_.DecSep), 5));
    f->Commit();
}

void FrmWorking::updMaxSpeed_Click(bool up) {
    double& v = state_.MaxSpeed;
    if (up && v < 999.0) v += 1.0;
    if (!up && v > 1.0) v -= 1.0;
    MaskedField* f = singleMasks["mskMaxSpeed"];
    f->SetMaskedText(PadLeft(FormatNumber(v, "##0.0", state_.DecSep), 5));
    f->Commit();
}

void FrmWorking::updInterval_Click(bool up) {
    double& v = state_.SpeedInterv;
    if (up && v < 99.0) v += 0.5;
    if (!up && v > 0.5) v -= 0.5;
    MaskedField* f = singleMasks["mskInterv"];
    f->SetMaskedText(PadLeft(FormatNumber(v, "#0.00", state_.DecSep), 5));
    f->Commit();
}

// ---- Erase, compute, swap, print -------------------------------------------------

void FrmWorking::cmdErase_Click(int index) {
    const std::string sep = state_.DecSep;
    auto emptyOne = [this, &sep](int i) {
        MaskedField* f = nullptr;
        QString blank;
        switch (i) {
            case 0:
            case 1:
            case 2:
            case 3: {
                const bool lat = i % 2 == 0;
                f = lat ? mskLat[static_cast<size_t>(i / 2)] : mskLong[static_cast<size_t>(i / 2)];
                blank = Q(lat ? BlankLatitudeText(sep) : BlankLongitudeText(sep));
                (lat ? state_.Lat : state_.Long)(i / 2 + 1) = 0.0;
                state_.UtilEntered[static_cast<size_t>(i)] = false;
                break;
            }
            case 4:
                f = mskCourse[1];
                blank = Q("___°" + sep + "_");
                state_.RLCourse = 0.0;
                state_.UtilEntered[10] = false;
                break;
            case 5:
                f = singleMasks["mskDist"];
                blank = Q("_____" + sep + "__");
                state_.RLDist = 0.0;
                state_.UtilEntered[11] = false;
                break;
            case 8:
            case 9:
            case 10:
            case 11: {
                const bool lat = i % 2 == 0;
                const int slot = (i - 8) / 2 + 3;  // Lat(3), Long(3), Lat(4), Long(4)
                f = lat ? mskLat[static_cast<size_t>(slot - 1)]
                        : mskLong[static_cast<size_t>(slot - 1)];
                blank = Q(lat ? BlankLatitudeText(sep) : BlankLongitudeText(sep));
                (lat ? state_.Lat : state_.Long)(slot) = 0.0;
                state_.UtilEntered[static_cast<size_t>(i - 4)] = false;
                HideGreatCircleResults();
                break;
            }
            case 12:
                f = mskLat[4];
                blank = QString::fromUtf8("__°__'");
                state_.Lat(5) = 0.0;
                state_.UtilEntered[8] = false;
                lblNS->clear();
                for (int r = 10; r <= 22; ++r) state_.GCOutline[static_cast<size_t>(r)].Level = 0;
                HideGreatCircleResults();
                break;
            case 13:
                f = mskLong[4];
                blank = QString::fromUtf8("__°_0'");
                state_.Long(5) = 0.0;
                state_.UtilEntered[9] = false;
                HideGreatCircleResults();
                break;
            case 15:
                f = singleMasks["mskDTG"];
                blank = Q("_____" + sep + "__");
                state_.EtaDist = 0.0;
                break;
            case 16:
                f = singleMasks["mskMinSpeed"];
                blank = Q("_10" + sep + "0");
                state_.MinSpeed = 10.0;
                break;
            case 17:
                f = singleMasks["mskMaxSpeed"];
                blank = Q("_24" + sep + "0");
                state_.MaxSpeed = 24.0;
                break;
            case 18:
                f = singleMasks["mskInterv"];
                blank = Q("_0" + sep + "50");
                state_.SpeedInterv = 0.5;
                break;
            default:
                return static_cast<MaskedField*>(nullptr);
        }
        f->SetMaskedText(blank);
        f->SetBackColor(MaskedField::WindowColor());
        MarkEtaRefused(f, false);
        return f;
    };
    int from = index, to = index;
    if (index == 6) {
        from = 0;
        to = 5;
        state_.RLShown = false;
    } else if (index == 7) {
        from = 8;
        to = 13;
    } else if (index == 14) {
        grdCalcETA->setVisible(false);
        grdCalcETA->scrollToTop();
        from = 15;
        to = 18;
    }
    MaskedField* last = nullptr;
    for (int i = from; i <= to; ++i) last = emptyOne(i);
    if (from == to && last) last->setFocus();
    TestCompute(0);
}

void FrmWorking::HideGreatCircleResults() {
    outGCRes->setVisible(false);
    rtfCalcWP->setVisible(false);
    fraEllipsoid[1]->setVisible(true);
}

void FrmWorking::cmdCompute_Click(int index) {
    rlComputePressed_ = index == 0;
    // E and the unit labels follow the ellipsoid list; the computation is
    // the button's own, once per click (the list's own recomputation would
    // run it, and show its messages, a second time).
    TakeEllipsoidChoice();
    if (index == 1) {
        const auto& f = state_.UtilEntered;
        if (!f[4] || !f[5] || !f[6] || !f[7]) {
            ShowMessage(kIconExclamation + kButtonsOk, QString(" Missing data"),
                        QString("Departure and/or arrival position not complete. Please correct."),
                        this);
            rlComputePressed_ = false;
            return;
        }
        if (SamePosition(state_.Lat(3), state_.Long(3), state_.Lat(4), state_.Long(4))) {
            ShowMessage(kIconExclamation + kButtonsOk, QString(" Departure = Arrival ?"),
                        QString("Same departure and arrival positions. Please correct."), this);
            rlComputePressed_ = false;
            return;
        }
    }
    TestCompute(index);
    rlComputePressed_ = false;
}

void FrmWorking::cmdShift_Click() {
    const std::string sep = state_.DecSep;
    auto swap = [](MaskedField* a, MaskedField* b, const QString& blank) {
        const QString ta = a->IsEmptyEntry() ? blank : a->MaskedText();
        const QString tb = b->IsEmptyEntry() ? blank : b->MaskedText();
        a->SetMaskedText(tb);
        b->SetMaskedText(ta);
        if (tb == blank) a->SetBackColor(MaskedField::WindowColor());
        if (ta == blank) b->SetBackColor(MaskedField::WindowColor());
    };
    swap(mskLat[0], mskLat[1], Q(BlankLatitudeText(sep)));
    swap(mskLong[0], mskLong[1], Q(BlankLongitudeText(sep)));
    for (int i = 0; i < 4; ++i) state_.UtilEntered[static_cast<size_t>(i)] = false;
    mskLat[0]->Commit();
    mskLong[0]->Commit();
    mskLat[1]->Commit();
    mskLong[1]->Commit();
    cmdErase_Click(4);
    cmdErase_Click(5);
}

void FrmWorking::cmdAskPrint_Click(int index) {
    if (!CheckPrinterInstalled()) return;
    SetWaitCursor(true);
    {
        FrmWait* wait = WaitDialog();
        wait->tmrWait->setInterval(20);
        wait->tmrWait->start();
        ExecDialog(*wait);
        wait->tmrWait->stop();
    }
    std::vector<std::function<void()>> steps;
    if (index == 0) {
        steps.push_back([&] { PrintRichText(*rtfCalcWP, 1685, 1000, 500, 1000); });
    } else {
        steps.push_back([&] {
            GridPrintSettings settings;  // 1440 twips, Arial 12, plain
            TableWidgetGrid grid(*grdCalcETA);
            PrintGrid(grid, 0.77, 0.7, settings);
        });
        steps.push_back([&] { grdCalcETA->viewport()->update(); });
    }
    const bool done = RunPortraitPrintSteps(steps, "the results may not be properly printed.");
    if (done) SetWaitCursor(false);
}

// ---- Moves between the tabs ----------------------------------------------------

void FrmWorking::lblChoosenEllipsoid_DblClick() {
    tabUtil->setVisible(false);
    tabOptions->setProperty("Tag", QString("CalledFromUtil"));
    mnuOptionsTab_Click();
}

void FrmWorking::tabUtil_GotFocus() {
    const auto& f = state_.UtilEntered;
    switch (tabUtil->currentIndex()) {
        case 0:
            if (f[4] && f[5] && f[6] && f[7]) {
                mskLat[0]->SetMaskedText(mskLat[2]->MaskedText());
                mskLong[0]->SetMaskedText(mskLong[2]->MaskedText());
                mskLat[1]->SetMaskedText(mskLat[3]->MaskedText());
                mskLong[1]->SetMaskedText(mskLong[3]->MaskedText());
                mskLat[0]->Commit();
                mskLong[0]->Commit();
                mskLat[1]->Commit();
                mskLong[1]->Commit();
            }
            mskLat[0]->setFocus();
            break;
        case 1:
            if (f[0] && f[1] && f[2] && f[3]) {
                mskLat[2]->SetMaskedText(mskLat[0]->MaskedText());
                mskLong[2]->SetMaskedText(mskLong[0]->MaskedText());
                mskLat[3]->SetMaskedText(mskLat[1]->MaskedText());
                mskLong[3]->SetMaskedText(mskLong[1]->MaskedText());
                mskLat[2]->Commit();
                mskLong[2]->Commit();
                mskLat[3]->Commit();
                mskLong[3]->Commit();
            }
            lblNS->clear();
            state_.GCOutline = GreatCircleOutlineHeadings();
            ShowOutline();
            outGCRes->clearSelection();
            outGCRes->setVisible(false);
            fraEllipsoid[1]->setVisible(true);
            mskLat[2]->setFocus();
            break;
        case 2: {
            cmdErase_Click(14);
            // The present UT cut down to the whole hour (a hair added so that
            // an exact hour is not taken for the one before).
            const double nowUtc = clockUtcNow ? clockUtcNow() : 0.0;
            dtpTime[2]->setDateTime(FromDateValue(std::floor(nowUtc * 24.0 + 1e-7) / 24.0));
            dtpTime_LostFocus(2);
            MaskedField* dtg = singleMasks["mskDTG"];
            if (f[11]) {
                dtg->SetMaskedText(singleMasks["mskDist"]->MaskedText());
                mskDTG_LostFocus();
            } else if (state_.RLDist != 0.0) {
                dtg->SetMaskedText(Q(FormatNumber(state_.RLDist, "00000.00", state_.DecSep)));
                mskDTG_LostFocus();
            }
            break;
        }
        default:
            break;
    }
}

// ---- TestCompute -----------------------------------------------------------------

void FrmWorking::TestCompute(int iButton) {
    // The chosen ellipsoid's name on the two tabs that use it.
    const QString name =
        cboEllipsoid->currentIndex() >= 0 ? EllipsoidName(cboEllipsoid->currentText()) : QString();
    for (QLabel* l : lblChoosenEllipsoid) l->setText(name);
    const int tab = tabUtil->currentIndex();
    try {
        if (tab == 0)
            RunRhumbLineCase();
        else if (tab == 1 && iButton == 1)
            RunGreatCircleCase();
        else if (tab == 2 && iButton == 2)
            RunEtaCase();
    } catch (const UtilityFault& fault) {
        ReportUtilityError(fault.Number(), QString::fromStdString(fault.what()));
    } catch (const std::exception& e) {
        ReportUtilityError(51, QString::fromStdString(e.what()));
    }
}

void FrmWorking::ReportUtilityError(int number, const QString& description) {
    QApplication::restoreOverrideCursor();
    const std::string text = UtilityErrorText(number, description.toStdString());
    const double now = TimerSeconds();
    const bool repeat = state_.HasLastErr && !state_.LastErrText.empty() &&
                        state_.LastErrText == text &&
                        std::fabs(std::trunc(now) - std::trunc(state_.LastErrTime)) <= 1.0;
    if (!repeat) ShowMessage(kIconCritical + kButtonsOk, QString(" ERROR REPORT"), Q(text), this);
    state_.HasLastErr = true;
    state_.LastErrTime = now;
    state_.LastErrText = text;
}

void FrmWorking::RunRhumbLineCase() {
    const RhumbLineProblem problem = ChooseRhumbLineProblem(state_.UtilEntered);
    if (problem == RhumbLineProblem::None) {
        imgStopCompute->setVisible(true);
        return;
    }
    imgStopCompute->setVisible(false);
    if (state_.RLShown && !rlComputePressed_) return;
    if (problem == RhumbLineProblem::DepartureIncomplete) return;
    RhumbLineValues v;
    v.Lat1 = state_.Lat(1);
    v.Long1 = state_.Long(1);
    v.Lat2 = state_.Lat(2);
    v.Long2 = state_.Long(2);
    v.Course = state_.RLCourse;
    v.Dist = state_.RLDist;
    const SailingStatus status = SolveRhumbLine(problem, v, state_.E);
    for (double x : {v.Lat2, v.Long2, v.Course, v.Dist})
        if (!std::isfinite(x)) throw UtilityFault(UtilityFault::kOverflow, "Overflow");
    state_.Lat(2) = v.Lat2;
    state_.Long(2) = v.Long2;
    state_.RLCourse = v.Course;
    state_.RLDist = v.Dist;
    const std::string& sep = state_.DecSep;
    // A refused problem has no result: its result fields are left empty
    // rather than show the routine's neutral values as an answer.
    const bool refused = status == SailingStatus::NoSolution;
    auto show = [refused](MaskedField* f, const std::string& text) {
        f->SetMaskedText(refused ? QString() : QString::fromStdString(text));
        f->SetBackColor(refused ? MaskedField::WindowColor() : kComputedYellow);
    };
    MaskedField* dist = singleMasks["mskDist"];
    switch (problem) {
        case RhumbLineProblem::Direct:
            show(mskLat[1], FormatLatitude(v.Lat2, sep));
            show(mskLong[1], FormatLongitude(v.Long2, sep));
            break;
        case RhumbLineProblem::ByLatitude:
            show(mskLong[1], FormatLongitude(v.Long2, sep));
            show(dist, FormatNumber(v.Dist, "00000.00", sep));
            break;
        case RhumbLineProblem::ByLongitude:
            show(mskLat[1], FormatLatitude(v.Lat2, sep));
            show(dist, FormatNumber(v.Dist, "00000.00", sep));
            break;
        default:
            show(mskCourse[1], FormatNumber(v.Course, "000°.0", sep));
            show(dist, FormatNumber(v.Dist, "00000.00", sep));
            break;
    }
    state_.RLShown = true;
}

void FrmWorking::ShowOutline() {
    outGCRes->clear();
    QTreeWidgetItem* parents[4] = {nullptr, nullptr, nullptr, nullptr};
    for (size_t i = 0; i < state_.GCOutline.size(); ++i) {
        const OutlineRow& r = state_.GCOutline[i];
        const int level = std::clamp(r.Level, 0, 3);
        QTreeWidgetItem* parent = level >= 2 ? parents[level - 1] : nullptr;
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(outGCRes);
        item->setText(0, Q(r.Text));
        item->setData(0, Qt::UserRole, level);
        item->setHidden(level == 0);
        if (level >= 1) parents[level] = item;
    }
    outGCRes->expandAll();
}

QString FrmWorking::OutlineText(int row) const {
    return row >= 0 && row < 23 ? Q(state_.GCOutline[static_cast<size_t>(row)].Text) : QString();
}

int FrmWorking::OutlineLevel(int row) const {
    return row >= 0 && row < 23 ? state_.GCOutline[static_cast<size_t>(row)].Level : 0;
}

void FrmWorking::RunGreatCircleCase() {
    // The report template is read at each computation; without it nothing
    // is computed and the error report names the missing file.
    if (rtfCalcWP->FileName().isEmpty() || !QFile::exists(rtfCalcWP->FileName()))
        throw UtilityFault(53, "File not found: CalcWP.rtf");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    GreatCircleInputs in;
    in.Lat3 = state_.Lat(3);
    in.Long3 = state_.Long(3);
    in.Lat4 = state_.Lat(4);
    in.Long4 = state_.Long(4);
    in.LimitEntered = state_.UtilEntered[8];
    in.Limit = state_.Lat(5);
    in.IntervalEntered = state_.UtilEntered[9];
    in.Interval = state_.Long(5);
    GreatCircleResult r;
    try {
        r = ComputeGreatCircle(in, state_.E);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();

    GreatCircleReportContext ctx;
    ctx.EllipsoidName = lblChoosenEllipsoid[1]->text().toStdString();
    ctx.DecSep = state_.DecSep;
    ctx.Sphere = state_.E.IsSphere();
    rtfCalcWP->Reload();
    rtfCalcWP->SetSelStart(0);
    FillGreatCircleReport(*rtfCalcWP, in, r, ctx);
    UpdateGreatCircleOutline(state_.GCOutline, in, r, ctx);

    if (r.LimitApplied) {
        state_.Lat(5) = r.Limit;
        lblNS->setText(r.Limit > 0.0 ? "N" : "S");
    }
    if (r.LimitError != 0) {
        ShowMessage(kIconExclamation + kButtonsOk, kInputErrorTitle,
                    r.LimitError == 1
                        ? QString("The maximum latitude is smaller than the departure latitude.")
                        : QString("The maximum latitude is smaller than the arrival latitude."),
                    this);
        QString t = mskLat[4]->MaskedText();
        if (t.size() >= 2) mskLat[4]->SetMaskedText(t.left(t.size() - 2) + "_'");
        mskLat[4]->setFocus();
        ShowOutline();
        return;
    }
    if (r.HasWaypoints) state_.WaypointTable = r.Waypoints;
    state_.RLDist = r.Theoretical;
    state_.RLCourse = r.SingleRLCourse;

    fraEllipsoid[1]->setVisible(false);
    ShowOutline();
    outGCRes->setVisible(true);
    rtfCalcWP->SetSelStart(0);
    rtfCalcWP->Refresh();
    Pause(0.3f);
    rtfCalcWP->setVisible(true);
}

void FrmWorking::InitETAGrid(int count) {
    grdCalcETA->clear();
    QFont f = grdCalcETA->font();
    f.setPointSize(12);
    grdCalcETA->setFont(f);
    grdCalcETA->setColumnCount(3);
    grdCalcETA->setRowCount(count);
    const QStringList headers = {"Speed", "ETA in GMT" + QString(8, ' '),
                                 "ETA in LT" + QString(11, ' ')};
    for (int c = 0; c < 3; ++c) {
        auto* h = new QTableWidgetItem(EtaHeaderPicture(c), headers[c]);
        h->setForeground(QColor(0, 0, 255));
        h->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdCalcETA->setHorizontalHeaderItem(c, h);
    }
    grdCalcETA->horizontalHeader()->setIconSize(QSize(kEtaHeaderPicture, kEtaHeaderPicture));
    grdCalcETA->horizontalHeader()->setMinimumHeight(
        static_cast<int>(std::lround(1.1 * kEtaHeaderPicture)));
    const int rowHeight = std::max(dtpTime[2]->sizeHint().height(), 22);
    grdCalcETA->verticalHeader()->setDefaultSectionSize(rowHeight);
    // The widths follow the speed field and the departure picker as they
    // stand on the tab.
    auto width = [](const QWidget* w) {
        return w->width() > 0 ? w->width() : w->sizeHint().width();
    };
    const int w1 = static_cast<int>(std::lround(0.9 * width(dtpTime[2])));
    grdCalcETA->setColumnWidth(
        0, static_cast<int>(std::lround(1.7 * width(singleMasks["mskMinSpeed"]))));
    grdCalcETA->setColumnWidth(1, w1);
    grdCalcETA->setColumnWidth(2, w1);
    if (count > 0) grdCalcETA->setCurrentCell(0, 0);
}

void FrmWorking::RunEtaCase() {
    for (const char* name : {"mskDTG", "mskMinSpeed", "mskMaxSpeed", "mskInterv"}) {
        MaskedField* f = singleMasks[name];
        if (EtaRefused(f)) {
            f->setFocus();
            return;
        }
    }
    dtpTime_LostFocus(2);
    EtaInputs in;
    in.DepTime = state_.EtaDepTime;
    in.ZoneDep = state_.GMTZone[0];
    in.ZoneLocal = state_.GMTZone[1];
    in.Dist = state_.EtaDist;
    in.MinSpeed = state_.MinSpeed;
    in.MaxSpeed = state_.MaxSpeed;
    in.Interval = state_.SpeedInterv;
    in.Round = state_.EtaRound;
    const std::vector<EtaRow> rows = ComputeEtaTable(in);
    InitETAGrid(static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i);
        const QString cells[3] = {Q(EtaSpeedText(rows[i].Speed, state_.DecSep)),
                                  Q(EtaTimeText(rows[i].EtaUT)), Q(EtaTimeText(rows[i].EtaLT))};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            grdCalcETA->setItem(r, c, item);
        }
    }
    grdCalcETA->setVisible(true);
    grdCalcETA->viewport()->update();
}

}  // namespace orvex
