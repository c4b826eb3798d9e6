// The star-fix input tabs laid out in their frames (estimated position and
// times, observer motion; observer, external conditions), the options'
// check boxes, the date-time pickers, the spin buttons and the erase
// buttons, and the hooks that tie every condition and position field to its
// handler.
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/pc_clock.h"
#include "workbench/focus_watch.h"
#include "workbench/main_window.h"
#include "workbench/reading_tab_order.h"
#include "workbench/up_down_buttons.h"

namespace orvex {

namespace {

const QString kPositionTipLat = "Enter degrees [°] minutes ['] & tenths of minute N/+ S/-";
const QString kPositionTipLong = "Enter degrees [°] minutes ['] & tenths of minute E/+ W/-";
const QString kCourseTip = "Enter degrees [°] & tenths of degree";
const QString kSpeedTip = "Enter knots & tenths of knot (1 knot = 1.852 km/h)";

// A field just wide enough for its longest text.
void FitField(QWidget* f, const QString& sample) {
    f->setFixedWidth(QFontMetrics(f->font()).horizontalAdvance(sample) + 18);
}

QLabel* Label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    return l;
}

QGroupBox* Frame(const QString& caption, const QString& name, QWidget* parent) {
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    return g;
}

// Removes the rows a page was first given (its labels and layout) and
// returns the page's field area with a fresh vertical layout.
QVBoxLayout* ClearFieldArea(QWidget* fields) {
    for (QLabel* l : fields->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) delete l;
    delete fields->layout();
    auto* v = new QVBoxLayout(fields);
    v->setContentsMargins(6, 4, 6, 4);
    return v;
}

QDateTimeEdit* MakePicker(const QString& name, QWidget* parent) {
    auto* p = new DateTimePicker(parent);
    p->setObjectName(name);
    // Every time of the star fix is UT: no daylight-saving gap or repeat.
    p->setTimeSpec(Qt::UTC);
    p->setLocale(QLocale::c());
    p->setDisplayFormat("d MMM yyyy HH:mm:ss");
    p->setCalendarPopup(true);
    p->setFixedWidth(QFontMetrics(p->font()).horizontalAdvance("30 Sep 2000 00:00:00") + 40);
    return p;
}

}  // namespace

void FrmWorking::BuildStarFixInputControls() {
    clockUtcNow = [] {
        PcClock clock;
        bool daylight = false;
        return clock.LocalNowDays() + clock.GetUtcOffset(daylight);
    };

    // ---- Tab 0: estimated position and times, observer motion ------------
    QWidget* posArea = tabIn->widget(0)->findChild<QWidget*>("tabIn_0_fields");
    QVBoxLayout* pos = ClearFieldArea(posArea);

    QGroupBox* fraEst = Frame(" Estimated position ", "fraEstPos", posArea);
    auto* est = new QGridLayout(fraEst);
    dtpTime[0] = MakePicker("dtpTime_0", fraEst);
    dtpTime[0]->setToolTip("Time (UT) of the estimated position");
    est->addWidget(Label("Time (UT) :", fraEst), 0, 0);
    est->addWidget(dtpTime[0], 0, 1, 1, 2);
    cmdEraseLat = new QPushButton("Erase", fraEst);
    cmdEraseLat->setObjectName("cmdEraseLat");
    cmdEraseLong = new QPushButton("Erase", fraEst);
    cmdEraseLong->setObjectName("cmdEraseLong");
    for (QPushButton* b : {cmdEraseLat, cmdEraseLong}) {
        // A click erases even while a refused entry holds the focus.
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip("Erase this field");
    }
    est->addWidget(Label("Latitude :", fraEst), 1, 0);
    est->addWidget(mskLat[5], 1, 1);
    est->addWidget(cmdEraseLat, 1, 2, Qt::AlignLeft);
    est->addWidget(Label("Longitude :", fraEst), 2, 0);
    est->addWidget(mskLong[5], 2, 1);
    est->addWidget(cmdEraseLong, 2, 2, Qt::AlignLeft);
    est->setColumnStretch(3, 1);
    pos->addWidget(fraEst);

    QGroupBox* fraWanted = Frame(" Position wanted ", "fraTruePos", posArea);
    auto* wanted = new QGridLayout(fraWanted);
    dtpTime[1] = MakePicker("dtpTime_1", fraWanted);
    dtpTime[1]->setToolTip("Time (UT) at which the position is wanted");
    wanted->addWidget(Label("Time (UT) :", fraWanted), 0, 0);
    wanted->addWidget(dtpTime[1], 0, 1);
    wanted->setColumnStretch(2, 1);
    pos->addWidget(fraWanted);

    QGroupBox* fraMotion = Frame(" Observer motion ", "fraMotion", posArea);
    auto* motion = new QGridLayout(fraMotion);
    MaskedField* speed = MaskField("mskSpeed", -1);
    motion->addWidget(Label("True course :", fraMotion), 0, 0);
    motion->addWidget(mskCourse[0], 0, 1);
    motion->addWidget(Label("True speed (ground) :", fraMotion), 1, 0);
    motion->addWidget(speed, 1, 1);
    motion->addWidget(Label("knot(s)", fraMotion), 1, 2);
    motion->setColumnStretch(3, 1);
    pos->addWidget(fraMotion);

    ch3OneEstPos[1] = new QCheckBox("Compute all intercepts with one estimated position.", posArea);
    ch3OneEstPos[1]->setObjectName("ch3OneEstPos_1");
    pos->addWidget(ch3OneEstPos[1]);
    pos->addStretch(1);

    // ---- Tab 1: observer and external conditions --------------------------
    QWidget* condArea = tabIn->widget(1)->findChild<QWidget*>("tabIn_1_fields");
    QVBoxLayout* cond = ClearFieldArea(condArea);

    QGroupBox* fraObserver = Frame(" Observer ", "fraObserver", condArea);
    auto* obs = new QGridLayout(fraObserver);
    MaskedField* heightM = MaskField("mskHeightM", -1);
    MaskedField* heightF = MaskField("mskHeightF", -1);
    obs->addWidget(Label("Height of observer eye :", fraObserver), 0, 0);
    obs->addWidget(heightM, 0, 1);
    obs->addWidget(Label("meters or", fraObserver), 0, 3);
    obs->addWidget(heightF, 0, 4);
    obs->addWidget(Label("feet", fraObserver), 0, 6);
    obs->addWidget(Label("Instrument correction :", fraObserver), 1, 0);
    obs->addWidget(mskInstErr[0], 1, 1);
    obs->addWidget(Label("minutes", fraObserver), 1, 3);
    obs->setColumnMinimumWidth(2, 18);
    obs->setColumnMinimumWidth(5, 18);
    obs->setColumnStretch(7, 1);
    cond->addWidget(fraObserver);

    QGroupBox* fraExt = Frame(" External conditions ", "fraExternal", condArea);
    auto* ext = new QGridLayout(fraExt);
    auto spin = [this, fraExt](const QString& name) { return new UpDownButtons(name, fraExt); };
    MaskedField* mbars = MaskField("mskPress_mBars", -1);
    MaskedField* hg = MaskField("mskPressHg", -1);
    UpDownButtons* updMBars = spin("updPress_mBars");
    UpDownButtons* updHg = spin("updPressHg");
    ext->addWidget(Label("Atmospheric pressure :", fraExt), 0, 0);
    ext->addWidget(mbars, 0, 1);
    ext->addWidget(updMBars, 0, 2);
    ext->addWidget(Label("mbars or", fraExt), 0, 3);
    ext->addWidget(hg, 0, 4);
    ext->addWidget(updHg, 0, 5);
    ext->addWidget(Label("inHg", fraExt), 0, 6);
    connect(updMBars, &UpDownButtons::UpClick, this, &FrmWorking::updPress_mBars_UpClick);
    connect(updMBars, &UpDownButtons::DownClick, this, &FrmWorking::updPress_mBars_DownClick);
    connect(updHg, &UpDownButtons::UpClick, this, &FrmWorking::updPressHg_UpClick);
    connect(updHg, &UpDownButtons::DownClick, this, &FrmWorking::updPressHg_DownClick);
    const char* tempCaptions[2] = {"Air temperature :", "Water temperature :"};
    for (int i = 0; i < 2; ++i) {
        UpDownButtons* updC = spin(QString("updTempCelcius_%1").arg(i));
        UpDownButtons* updF = spin(QString("updTempFahr_%1").arg(i));
        ext->addWidget(Label(tempCaptions[i], fraExt), i + 1, 0);
        ext->addWidget(mskTempCelcius[i], i + 1, 1);
        ext->addWidget(updC, i + 1, 2);
        ext->addWidget(Label("°C  or", fraExt), i + 1, 3);
        ext->addWidget(mskTempFahr[i], i + 1, 4);
        ext->addWidget(updF, i + 1, 5);
        ext->addWidget(Label("°F", fraExt), i + 1, 6);
        connect(updC, &UpDownButtons::UpClick, this, [this, i] { updTempCelcius_UpClick(i); });
        connect(updC, &UpDownButtons::DownClick, this, [this, i] { updTempCelcius_DownClick(i); });
        connect(updF, &UpDownButtons::UpClick, this, [this, i] { updTempFahr_UpClick(i); });
        connect(updF, &UpDownButtons::DownClick, this, [this, i] { updTempFahr_DownClick(i); });
    }
    ext->setColumnStretch(7, 1);
    cond->addWidget(fraExt);
    cond->addStretch(1);

    // ---- Field sizes -------------------------------------------------------
    for (int i = 0; i <= 5; ++i) {
        FitField(mskLat[i], "00°00'.0 N");
        FitField(mskLong[i], "000°00'.0 W");
    }
    for (MaskedField* f : mskCourse) FitField(f, "000°.0");
    for (MaskedField* f : mskInstErr) FitField(f, "-00.00");
    for (MaskedField* f : {speed, heightF}) FitField(f, "000.0");
    FitField(heightM, "00.00");
    FitField(mbars, "00000");
    FitField(hg, "00.000");
    for (int i = 0; i < 2; ++i) {
        FitField(mskTempCelcius[i], "-000");
        FitField(mskTempFahr[i], "-000");
    }

    // ---- Options page: the star-fix options ----------------------------------
    QWidget* optArea = tabOptions->widget(1)->findChild<QWidget*>("tabOptions_1_fields");
    QVBoxLayout* opt = ClearFieldArea(optArea);
    QGroupBox* fraOpt = Frame(" Star fix ", "fraStarFixOptions", optArea);
    auto* optBox = new QVBoxLayout(fraOpt);
    ch3FullRoutine = new QCheckBox("Correct the course and speed if enough observations.", fraOpt);
    ch3FullRoutine->setObjectName("ch3FullRoutine");
    ch3FullRoutine->setChecked(state_.FullRoutine);
    ch3OneEstPos[0] = new QCheckBox("Compute all intercepts with one estimated position.", fraOpt);
    ch3OneEstPos[0]->setObjectName("ch3OneEstPos_0");
    ch3FindSystErr = new QCheckBox(
        "Find the systematic error of the altitudes (index and personal error).", fraOpt);
    ch3FindSystErr->setObjectName("ch3FindSystErr");
    for (QCheckBox* c : {ch3FullRoutine, ch3OneEstPos[0], ch3FindSystErr}) optBox->addWidget(c);
    opt->addWidget(fraOpt);
    opt->addStretch(1);
    connect(ch3FullRoutine, &QCheckBox::clicked, this, [this] { ch3FullRoutine_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(ch3OneEstPos[i], &QCheckBox::clicked, this, [this, i] { ch3OneEstPos_Click(i); });

    // ---- ETA departure time on the utilities page ------------------------------
    QWidget* etaArea = tabUtil->widget(2)->findChild<QWidget*>("tabUtil_2_fields");
    dtpTime[2] = MakePicker("dtpTime_2", etaArea);
    if (auto* g = qobject_cast<QGridLayout*>(etaArea->layout())) {
        const int row = g->rowCount();
        g->addWidget(Label("Departure time :", etaArea), row, 0);
        g->addWidget(dtpTime[2], row, 1);
    }

    HookStarFixInputFields();
}

void FrmWorking::HookStarFixInputFields() {
    // Pickers commit when they are left.
    for (int i = 0; i <= 2; ++i) new FocusWatch(dtpTime[i], [this, i] { dtpTime_LostFocus(i); });

    // Position fields.
    for (int i = 0; i <= 5; ++i) {
        mskLat[i]->SetKeyRewrite([this, i](QChar c) {
            mskLat_KeyPress(i, c);
            return c;
        });
        mskLong[i]->SetKeyRewrite([this, i](QChar c) {
            mskLong_KeyPress(i, c);
            return c;
        });
        mskLat[i]->SetCommitHook([this, i](MaskedField&) {
            bool cancel = false;
            mskLat_Validate(i, cancel);
        });
        mskLong[i]->SetCommitHook([this, i](MaskedField&) {
            bool cancel = false;
            mskLong_Validate(i, cancel);
        });
        const bool limits = i == 4;
        mskLat[i]->setToolTip(limits ? "Enter max. lat. you don't want to exceed"
                                     : kPositionTipLat);
        mskLong[i]->setToolTip(limits ? "Enter long. interval between 2 waypoints"
                                      : kPositionTipLong);
    }
    connect(cmdEraseLat, &QPushButton::clicked, this, &FrmWorking::cmdEraseLat_Click);
    connect(cmdEraseLong, &QPushButton::clicked, this, &FrmWorking::cmdEraseLong_Click);

    // Condition fields.
    for (int i = 0; i < 2; ++i) {
        mskCourse[i]->setToolTip(kCourseTip);
        mskCourse[i]->SetCommitHook([this, i](MaskedField&) { mskCourse_LostFocus(i); });
        mskTempCelcius[i]->SetCommitHook([this, i](MaskedField&) { mskTempCelcius_LostFocus(i); });
        mskTempFahr[i]->SetCommitHook([this, i](MaskedField&) { mskTempFahr_LostFocus(i); });
    }
    MaskedField* speed = MaskField("mskSpeed", -1);
    speed->setToolTip(kSpeedTip);
    speed->SetCommitHook([this](MaskedField&) { mskSpeed_LostFocus(); });
    MaskField("mskHeightM", -1)->SetCommitHook([this](MaskedField&) { mskHeightM_LostFocus(); });
    MaskField("mskHeightF", -1)->SetCommitHook([this](MaskedField&) { mskHeightF_LostFocus(); });
    MaskField("mskPress_mBars", -1)->SetCommitHook([this](MaskedField&) {
        mskPress_mBars_LostFocus();
    });
    MaskField("mskPressHg", -1)->SetCommitHook([this](MaskedField&) { mskPressHg_LostFocus(); });
    // The caret lands on the first digit a navigator types.
    MaskField("mskHeightM", -1)->SetEnterHook([](MaskedField& f) { f.setCursorPosition(0); });
    MaskField("mskHeightF", -1)->SetEnterHook([](MaskedField& f) { f.setCursorPosition(1); });
    speed->SetEnterHook([](MaskedField& f) { f.setCursorPosition(1); });

    onNewStarFixReset = [this] { cmdEraseObs_Click(); };
}

}  // namespace orvex
