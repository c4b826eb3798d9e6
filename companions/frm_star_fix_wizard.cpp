#include "companions/frm_star_fix_wizard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "companions/position_entry.h"
#include "companions/wizard_pictures.h"
#include "navlib/hooks.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/unit_conversions.h"
#include "platform/date_time_picker.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"

namespace orvex {

namespace {

constexpr int kOutOfSight = -10000;
constexpr int kLiveInterval = 15000;    // ms
constexpr double kAziHeightEye = 10.0;  // metres, for the bodies above the horizon

const char* const kStepTitle[4] = {"Step 1", "Step 2", "Step 3",
                                   "Position of the selected stars on"};
const char* const kStepText[4] = {"Enter observation datas", "Times", "Select stars",
                                  "Display stars to observe"};
const char* const kSunTimeLabel[9] = {"Time to start morning observations :",
                                      "Time to end morning observations :",
                                      "Time of visible sunrise :",
                                      "Time of theoretical sunrise :",
                                      "Time of upper meridian passage of the Sun :",
                                      "Time of theoretical sunset :",
                                      "Time of visible sunset :",
                                      "Time to start evening observations :",
                                      "Time to end evening observations :"};
const char* const kHeader[4] = {"Name of the Star  ", "Azimuth  ", "Altitude", "Magn. "};
const double kColumnWidth[4] = {0.3382, 0.21, 0.2, 0.2};
const WizardPicture kHeaderPicture[4] = {WizardPicture::HeaderName, WizardPicture::HeaderAzimuth,
                                         WizardPicture::HeaderAltitude,
                                         WizardPicture::HeaderMagnitude};
const QString kPositionHint[2] = {"Enter degrees [°] minutes ['] & tenths of minute N/+ S/-",
                                  "Enter degrees [°] minutes ['] & tenths of minute E/+ W/-"};

QString Indexed(const char* name, int i) {
    return QString("%1_%2").arg(name).arg(i);
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QString& name = QString()) {
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty()) l->setObjectName(name);
    return l;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const QString& name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

// Each value of a row in the column that shows `field`.
QString FieldText(const BodyPlace& p, int field, const std::string& decSep) {
    switch (field) {
        case 0:
            return Q(p.name);
        case 1:
            return Q(FormatWizardAzimuth(p.az));
        case 2:
            return Q(FormatWizardAltitude(p.hs));
        default:
            return Q(FormatWizardMagnitude(p.mag, decSep));
    }
}

// The number a field sorts by when the table is sorted numerically: a name
// holds no number and reads 0, as every name does.
double FieldNumber(const BodyPlace& p, int field) {
    switch (field) {
        case 1:
            return p.az;
        case 2:
            return p.hs;
        case 3:
            return p.mag;
        default:
            return 0.0;
    }
}

// Candidate i (0-based) as a row of the stars table.
BodyPlace CandidatePlace(const StarCandidates& cand, int i) {
    const auto u = static_cast<size_t>(i);
    BodyPlace p;
    p.name = cand.CandName[u];
    p.az = cand.CandAz[u];
    p.hs = cand.CandHs[u];
    p.mag = cand.CandMag[u];
    return p;
}

}  // namespace

FrmStarFixWizard::FrmStarFixWizard(CompanionLinks links, QWidget* owner)
    : QWidget(owner, Qt::Window), links_(std::move(links)) {
    setObjectName("frmStarFixWizard");
    setWindowTitle(" Star Fix Wizard");
    setWindowIcon(QIcon(WizardPictureOf(WizardPicture::WizardIcon, 32)));

    auto* outer = new QVBoxLayout(this);
    frameArea_ = new QFrame(this);
    frameArea_->setObjectName("fraSteps");
    frameArea_->setMinimumSize(600, 430);
    outer->addWidget(frameArea_, 1);
    for (int i = 0; i < 4; ++i) {
        fraStep[i] = new QFrame(frameArea_);
        fraStep[i]->setObjectName(Indexed("fraStep", i));
        fraStep[i]->setFrameShape(QFrame::StyledPanel);
        fraStep[i]->setProperty("StepTitle", kStepTitle[i]);
        fraStep[i]->setProperty("StepText", kStepText[i]);
    }
    BuildStep1(fraStep[0]);
    BuildStep2(fraStep[1]);
    BuildStep3(fraStep[2]);
    BuildStep4(fraStep[3]);

    auto* nav = new QHBoxLayout;
    const char* navText[5] = {"Help", "Cancel", "< &Back", "&Next >", "&End"};
    for (int i = 0; i < 5; ++i) {
        cmdNav[i] = MakeButton(this, navText[i], Indexed("cmdNav", i));
        cmdNav[i]->setAutoDefault(false);
        if (i == 1) nav->addStretch(1);
        nav->addWidget(cmdNav[i]);
        connect(cmdNav[i], &QPushButton::clicked, this, [this, i] { cmdNav_Click(i); });
    }
    outer->addLayout(nav);

    tmrRealTime = new QTimer(this);
    tmrRealTime->setObjectName("tmrRealTime");
    tmrRealTime->setInterval(kLiveInterval);
    connect(tmrRealTime, &QTimer::timeout, this, &FrmStarFixWizard::tmrRealTime_Timer);

    // Load: the four masks with the user's separator.
    const QString sep = Q(links_.DecSep);
    mskLat->SetMask("9#°##'" + sep + "# ?");
    mskLong->SetMask("99#°##'" + sep + "# ?");
    mskHeightM->SetMask("##" + sep + "#");
    mskHeightF->SetMask("###" + sep + "#");
    wizUserSorted_ = false;
    for (int i = 0; i < 4; ++i) {
        fraStep[i]->move(kOutOfSight, 0);
        fraStep[i]->setVisible(false);
    }
    resize(640, 520);
}

FrmStarFixWizard::~FrmStarFixWizard() {
    if (tmrRealTime) tmrRealTime->stop();
}

void FrmStarFixWizard::BuildStep1(QFrame* f) {
    auto* v = new QVBoxLayout(f);
    lblStep[0] = MakeLabel(
        f, "This wizard will help you to select the stars for your observations.", "lblStep_0");
    lblStep[0]->setWordWrap(true);
    QFont bold = lblStep[0]->font();
    bold.setBold(true);
    lblStep[0]->setFont(bold);
    v->addWidget(lblStep[0]);
    v->addSpacing(10);

    auto* g = new QGridLayout;
    lblLabels[1] = MakeLabel(f, "Enter the date of observation :", "lblLabels_1");
    dtpTime = new DateTimePicker(f);
    dtpTime->setObjectName("dtpTime");
    dtpTime->setTimeSpec(Qt::UTC);
    dtpTime->setLocale(QLocale::c());  // English month names in any language
    dtpTime->setDisplayFormat("d MMM yyyy");
    dtpTime->setCalendarPopup(true);
    dtpTime->installEventFilter(this);
    g->addWidget(lblLabels[1], 0, 0, 1, 2);
    g->addWidget(dtpTime, 0, 2);

    lblLabels[0] = MakeLabel(f, "Enter your position :", "lblLabels_0");
    g->addWidget(lblLabels[0], 1, 0, 1, 3);
    lblLabels[2] = MakeLabel(f, "latitude", "lblLabels_2");
    lblLabels[3] = MakeLabel(f, "longitude", "lblLabels_3");
    mskLat = new MaskedField(f);
    mskLat->setObjectName("mskLat");
    mskLong = new MaskedField(f);
    mskLong->setObjectName("mskLong");
    mskLat->setToolTip(kPositionHint[0]);
    mskLong->setToolTip(kPositionHint[1]);
    cmdEraseObsPos[0] = MakeButton(f, "Erase latitude", "cmdEraseObsPos_0");
    cmdEraseObsPos[1] = MakeButton(f, "Erase longitude", "cmdEraseObsPos_1");
    g->addWidget(lblLabels[2], 2, 1);
    g->addWidget(mskLat, 2, 2);
    g->addWidget(cmdEraseObsPos[0], 2, 3);
    g->addWidget(lblLabels[3], 3, 1);
    g->addWidget(mskLong, 3, 2);
    g->addWidget(cmdEraseObsPos[1], 3, 3);
    // Tab follows the rows: each field, then its erase button.
    QWidget::setTabOrder(mskLat, cmdEraseObsPos[0]);
    QWidget::setTabOrder(cmdEraseObsPos[0], mskLong);
    QWidget::setTabOrder(mskLong, cmdEraseObsPos[1]);

    g->addWidget(MakeLabel(f, "Enter the height of observer eye :"), 4, 0, 1, 3);
    mskHeightM = new MaskedField(f);
    mskHeightM->setObjectName("mskHeightM");
    mskHeightF = new MaskedField(f);
    mskHeightF->setObjectName("mskHeightF");
    auto* h = new QHBoxLayout;
    h->addWidget(mskHeightM);
    h->addWidget(MakeLabel(f, "meters or"));
    h->addWidget(mskHeightF);
    h->addWidget(MakeLabel(f, "feet"));
    h->addStretch(1);
    g->addLayout(h, 5, 1, 1, 3);
    g->setColumnMinimumWidth(0, 20);
    g->setColumnStretch(4, 1);
    v->addLayout(g);
    v->addSpacing(16);
    cmdErase = MakeButton(f, "Erase all", "cmdErase");
    auto* eh = new QHBoxLayout;
    eh->addWidget(cmdErase);
    eh->addStretch(1);
    v->addLayout(eh);
    v->addStretch(1);

    for (MaskedField* m : {mskLat, mskLong, mskHeightM, mskHeightF}) m->setMinimumWidth(110);
    HookHemisphereKeys(*mskLat, *mskLong);
    mskLat->SetCommitHook([this](MaskedField& m) { CommitLatitude(m); });
    mskLong->SetCommitHook([this](MaskedField& m) { CommitLongitude(m); });
    mskHeightM->SetCommitHook([this](MaskedField& m) { CommitHeight(m, true); });
    mskHeightF->SetCommitHook([this](MaskedField& m) { CommitHeight(m, false); });
    connect(cmdErase, &QPushButton::clicked, this, &FrmStarFixWizard::cmdErase_Click);
    for (int i = 0; i < 2; ++i)
        connect(cmdEraseObsPos[i], &QPushButton::clicked, this,
                [this, i] { cmdEraseObsPos_Click(i); });
}

void FrmStarFixWizard::BuildStep2(QFrame* f) {
    auto* v = new QVBoxLayout(f);
    lblStep[1] = MakeLabel(f, "Choose the time of observation :", "lblStep_1");
    QFont bold = lblStep[1]->font();
    bold.setBold(true);
    lblStep[1]->setFont(bold);
    v->addWidget(lblStep[1]);
    auto* opts = new QHBoxLayout;
    optTime[0] = new QRadioButton("Sunrise", f);
    optTime[0]->setObjectName("optTime_0");
    optTime[1] = new QRadioButton("Sunset", f);
    optTime[1]->setObjectName("optTime_1");
    optTime[0]->setChecked(true);
    opts->addWidget(optTime[0]);
    opts->addWidget(optTime[1]);
    opts->addStretch(1);
    v->addLayout(opts);
    v->addSpacing(8);
    auto* g = new QGridLayout;
    for (int i = 0; i < 9; ++i) {
        g->addWidget(MakeLabel(f, kSunTimeLabel[i]), i, 0);
        lblTimes[i] = MakeLabel(f, "", Indexed("lblTimes", i));
        lblTimes[i]->setMinimumWidth(150);
        lblGMT[i] = MakeLabel(f, "GMT", Indexed("lblGMT", i));
        g->addWidget(lblTimes[i], i, 1);
        g->addWidget(lblGMT[i], i, 2);
    }
    g->setColumnStretch(3, 1);
    v->addLayout(g);
    // Where the chosen twilight has no time, the user types the time of
    // the observations here.
    obsTimeRow_ = new QWidget(f);
    auto* h = new QHBoxLayout(obsTimeRow_);
    h->setContentsMargins(0, 8, 0, 0);
    dtpObsTime = new DateTimePicker(obsTimeRow_);
    dtpObsTime->setObjectName("dtpObsTime");
    dtpObsTime->setTimeSpec(Qt::UTC);
    dtpObsTime->setLocale(QLocale::c());  // English month names in any language
    dtpObsTime->setDisplayFormat("d MMM yyyy HH:mm");
    h->addWidget(MakeLabel(obsTimeRow_, "Time of observation :", "lblObsTime"));
    h->addWidget(dtpObsTime);
    h->addWidget(MakeLabel(obsTimeRow_, "UT"));
    h->addStretch(1);
    obsTimeRow_->setVisible(false);
    v->addWidget(obsTimeRow_);
    v->addStretch(1);
    for (int i = 0; i < 2; ++i)
        connect(optTime[i], &QRadioButton::clicked, this, [this, i] { optTime_Click(i); });
}

void FrmStarFixWizard::BuildStep3(QFrame* f) {
    auto* v = new QVBoxLayout(f);
    lblStep[2] = MakeLabel(f, "", "lblStep_2");
    lblStep[2]->setWordWrap(true);
    QFont bold = lblStep[2]->font();
    bold.setBold(true);
    lblStep[2]->setFont(bold);
    v->addWidget(lblStep[2]);
    v->addWidget(MakeLabel(f, "Altitudes are sextant alt."));
    lstStars = new QListWidget(f);
    lstStars->setObjectName("lstStars");
    lstStars->setSelectionMode(QAbstractItemView::MultiSelection);
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    lstStars->setFont(mono);
    v->addWidget(lstStars, 1);
    cmdStarsGraph = MakeButton(f, "", "cmdStarsGraph");
    cmdStarsGraph->setVisible(false);  // carries no action
}

void FrmStarFixWizard::BuildStep4(QFrame* f) {
    auto* v = new QVBoxLayout(f);
    auto* top = new QHBoxLayout;
    lblStep[3] = MakeLabel(f, "Position of the selected stars on", "lblStep_3");
    QFont bold = lblStep[3]->font();
    bold.setBold(true);
    lblStep[3]->setFont(bold);
    dtpRealTime = new DateTimePicker(f);
    dtpRealTime->setObjectName("dtpRealTime");
    dtpRealTime->setTimeSpec(Qt::UTC);
    dtpRealTime->setLocale(QLocale::c());  // English month names in any language
    dtpRealTime->setDisplayFormat("d MMM yyyy HH:mm:ss");
    top->addWidget(lblStep[3]);
    top->addWidget(dtpRealTime);
    top->addWidget(MakeLabel(f, "UT"));
    top->addStretch(1);
    v->addLayout(top);
    bthStartTimer = MakeButton(f, "Start real time display", "bthStartTimer");
    bthStartTimer->setIcon(QIcon(WizardPictureOf(WizardPicture::TimerStart, 20)));
    bthStartTimer->setIconSize(QSize(20, 20));
    auto* bh = new QHBoxLayout;
    bh->addWidget(bthStartTimer);
    bh->addStretch(1);
    v->addLayout(bh);
    grdStars = new QTableWidget(f);
    grdStars->setObjectName("grdStars");
    grdStars->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdStars->verticalHeader()->setVisible(false);
    grdStars->horizontalHeader()->setSectionsClickable(true);
    grdStars->horizontalHeader()->viewport()->installEventFilter(this);
    grdStars->viewport()->installEventFilter(this);
    v->addWidget(grdStars, 1);
    connect(bthStartTimer, &QPushButton::clicked, this, &FrmStarFixWizard::bthStartTimer_Click);
    connect(dtpRealTime, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!settingByCode_) dtpRealTime_Change();
    });
}

void FrmStarFixWizard::PlaceFrames() {
    const QSize s = frameArea_->size();
    for (QFrame* f : fraStep) {
        f->resize(s);
        if (f->x() != kOutOfSight) f->move(0, 0);
    }
}

void FrmStarFixWizard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceFrames();
}

void FrmStarFixWizard::SetHandOver(double aziTime, double aziLat, double aziLong) {
    aziTime_ = aziTime;
    aziLat_ = aziLat;
    aziLong_ = aziLong;
}

// ---- Window life -------------------------------------------------------

void FrmStarFixWizard::Form_Activate() {
    if (tag_ == "FromMain") {
        tag_ = "FromOther";
        bthStartTimer->setEnabled(true);
        bthStartTimer->setVisible(true);
        bthStartTimer->setText("Start real time display");
        bthStartTimer->setIcon(QIcon(WizardPictureOf(WizardPicture::TimerStart, 20)));
        cmdErase_Click();
        for (QFrame* f : fraStep) f->move(kOutOfSight, 0);
        fraStep[3]->setVisible(false);
        lblStep[3]->setText("Position of the selected stars on");
        lblStep[3]->setToolTip(QString());
        setWindowIcon(QIcon(WizardPictureOf(WizardPicture::WizardIcon, 32)));
        dtpRealTime->setReadOnly(false);
        wizStep_ = 1;
        wizEndEnabled_ = false;
        obsTimeBasis_ = {};
        ShowStep(1);
    } else if (tag_ == "FromAzi") {
        inputs_.date = aziTime_;
        inputs_.lat = aziLat_;
        inputs_.lon = aziLong_;
        inputs_.heightEye = kAziHeightEye;
        bthStartTimer->setEnabled(false);
        bthStartTimer->setVisible(false);
        for (int i : {1, 2, 3}) {
            cmdNav[i]->setEnabled(false);
            cmdNav[i]->setVisible(false);
        }
        cmdNav[4]->setEnabled(true);
        lblStep[3]->setText("Position of the stars on");
        lblStep[3]->setToolTip("Time of azimuth observation");
        setWindowTitle(" What is up?");
        setWindowIcon(QIcon(WizardPictureOf(WizardPicture::WhatIsUpIcon, 32)));
        SetPickerValue(dtpRealTime, aziTime_);
        SetRealTimeHint("Time of azimuth observation");
        dtpRealTime->setReadOnly(true);
        for (int i = 0; i < 3; ++i) {
            fraStep[i]->move(kOutOfSight, 0);
            fraStep[i]->setVisible(false);
        }
        fraStep[3]->move(0, 0);
        fraStep[3]->setVisible(true);
        PlaceFrames();
        FillStarsTable();
    }
    if (isVisible()) {
        if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
    }
}

void FrmStarFixWizard::Form_Deactivate() {
    const auto now = static_cast<float>(TimerSeconds());
    const float last = lastDeactivate_;
    lastDeactivate_ = now;
    if (last != 0.0f && std::fabs(now - last) < 0.5f) {
        Form_QueryUnload();
        return;
    }
    setWindowState(windowState() | Qt::WindowMinimized);
}

void FrmStarFixWizard::Form_KeyDown(int keyCode) {
    if (keyCode != 116) return;  // F5
    setWindowState(windowState() | Qt::WindowMinimized);
    if (links_.ShowTimeStore) links_.ShowTimeStore(this);
}

void FrmStarFixWizard::Form_QueryUnload() {
    if (unloaded_) return;
    StopTimer();
    if (links_.WizardClosed) links_.WizardClosed(false);
    Unload();
}

void FrmStarFixWizard::Unload() {
    unloaded_ = true;
    hide();
    emit unloaded();
    deleteLater();
}

void FrmStarFixWizard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PlaceFrames();
    Form_Activate();
}

void FrmStarFixWizard::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_QueryUnload();
}

void FrmStarFixWizard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F5) {
        Form_KeyDown(116);
        return;
    }
    if (event->key() == Qt::Key_Escape) {  // as the close box
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FrmStarFixWizard::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !unloaded_) {
        Form_Activate();
    } else if (e->type() == QEvent::WindowDeactivate && !unloaded_) {
        // Only a move to another window of the program counts: not a
        // message box, not a dialog this window owns, not another program.
        QTimer::singleShot(0, this, [this] {
            QWidget* active = QApplication::activeWindow();
            if (!active || active == this || unloaded_) return;
            if (qobject_cast<QMessageBox*>(active)) return;
            for (QWidget* p = active->parentWidget(); p; p = p->parentWidget())
                if (p == this) return;
            Form_Deactivate();
        });
    }
    return QWidget::event(e);
}

bool FrmStarFixWizard::eventFilter(QObject* watched, QEvent* e) {
    if (watched == dtpTime && e->type() == QEvent::FocusOut) dtpTime_LostFocus();
    if (grdStars && watched == grdStars->horizontalHeader()->viewport()) {
        auto* header = grdStars->horizontalHeader();
        if (e->type() == QEvent::MouseButtonPress) {
            const auto* me = static_cast<QMouseEvent*>(e);
            grdStars_MouseDown(0, header->logicalIndexAt(me->position().toPoint()));
            QApplication::setOverrideCursor(Qt::SizeHorCursor);
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            const auto* me = static_cast<QMouseEvent*>(e);
            QApplication::restoreOverrideCursor();
            grdStars_MouseUp(header->logicalIndexAt(me->position().toPoint()));
            return true;
        }
    }
    if (grdStars && watched == grdStars->viewport() &&
        (e->type() == QEvent::Show || e->type() == QEvent::Resize))
        SizeStarColumns();
    if (grdStars && watched == grdStars->viewport() && e->type() == QEvent::MouseButtonRelease) {
        grdStars_MouseDown(1, -1);
        grdStars_MouseUp(-1);
    }
    return QWidget::eventFilter(watched, e);
}

// ---- Navigation -----------------------------------------------------------

void FrmStarFixWizard::StopTimer() {
    if (tmrRealTime) tmrRealTime->stop();
}

void FrmStarFixWizard::cmdNav_Click(int index) {
    switch (index) {
        case 1:
            StopTimer();
            hide();
            if (links_.WizardClosed) links_.WizardClosed(true);
            break;
        case 2:
            ShowStep(wizStep_ - 1);
            break;
        case 3:
            ShowStep(wizStep_ + 1);
            break;
        case 4:
            if (tag_ == "FromAzi") {
                for (int i : {1, 2, 3}) cmdNav[i]->setVisible(true);
                cmdNav[1]->setEnabled(true);
                tag_.clear();
            }
            StopTimer();
            hide();
            if (links_.WizardClosed) links_.WizardClosed(false);
            break;
        default:
            break;  // Help has no action
    }
}

bool FrmStarFixWizard::ShowStep(int n) {
    if (n < 1 || n > 4) return false;
    if (!DoStepWork(n)) return false;
    // Leaving the live table stops its clock, so that the table always
    // matches the selection it was laid out for.
    if (n != 4) {
        StopTimer();
        bthStartTimer->setText("Start real time display");
        bthStartTimer->setIcon(QIcon(WizardPictureOf(WizardPicture::TimerStart, 20)));
    }
    fraStep[wizStep_ - 1]->setVisible(false);
    fraStep[n - 1]->move(0, 0);
    if (n != wizStep_) fraStep[wizStep_ - 1]->move(kOutOfSight, 0);
    fraStep[n - 1]->setVisible(true);
    PlaceFrames();
    SetStepCaption(n - 1);
    UpdateNavButtons(n);
    return true;
}

void FrmStarFixWizard::SetStepCaption(int frame) {
    setWindowTitle(QString(" Star Fix Wizard") + " - " + kStepText[frame]);
}

void FrmStarFixWizard::UpdateNavButtons(int n) {
    wizStep_ = n;
    cmdNav[2]->setEnabled(n != 1);
    cmdNav[3]->setEnabled(n != 4);
    cmdNav[4]->setEnabled(wizEndEnabled_);
}

bool FrmStarFixWizard::DoStepWork(int n) {
    switch (n) {
        case 2:
            return StepTwilight();
        case 3:
            return StepCandidates();
        case 4:
            return StepTable();
        default:
            return true;
    }
}

// ---- Step 1: inputs -----------------------------------------------------------

void FrmStarFixWizard::SetPickerValue(QDateTimeEdit* picker, double ut) {
    const bool was = settingByCode_;
    settingByCode_ = true;
    picker->setDateTime(FromDateValue(ut));
    settingByCode_ = was;
}

void FrmStarFixWizard::cmdErase_Click() {
    SetPickerValue(dtpTime, std::floor(links_.UtNow()));
    dtpTime_LostFocus();
    const QString sep = Q(links_.DecSep);
    mskLat->SetMaskedText("__°__'" + sep + "_ _");
    mskLong->SetMaskedText("___°__'" + sep + "_ _");
    mskHeightM->SetMaskedText("__" + sep + "_");
    mskHeightF->SetMaskedText("___" + sep + "_");
    for (MaskedField* m : {mskLat, mskLong, mskHeightM, mskHeightF})
        m->SetBackColor(MaskedField::WindowColor());
    inputs_.lat = inputs_.lon = inputs_.heightEye = 0.0;
    inputs_.entered[1] = inputs_.entered[2] = inputs_.entered[3] = false;
}

void FrmStarFixWizard::cmdEraseObsPos_Click(int index) {
    EraseObsPosField(index == 0 ? *mskLat : *mskLong, index == 0, links_.DecSep);
}

void FrmStarFixWizard::dtpTime_LostFocus() {
    inputs_.date = ToDateValue(dtpTime->dateTime().toUTC());
    inputs_.entered[0] = true;
}

void FrmStarFixWizard::optTime_Click(int index) {
    optTime[index]->setChecked(true);
    ShowObsTimeOfChoice();
    obsTimeRow_->setVisible(ChosenTwilightMissing());
}

void FrmStarFixWizard::ShowObsTimeOfChoice() {
    const int chosen = optTime[0]->isChecked() ? 0 : 1;
    if (chosen == obsTimeShown_) return;
    obsTimeOf_[static_cast<size_t>(obsTimeShown_)] = ToDateValue(dtpObsTime->dateTime().toUTC());
    obsTimeShown_ = chosen;
    SetPickerValue(dtpObsTime, obsTimeOf_[static_cast<size_t>(chosen)]);
}

bool FrmStarFixWizard::ChosenTwilightMissing() const {
    return sunTimes_[optTime[0]->isChecked() ? kMorningSightsStart : kEveningSightsStart] == 0.0;
}

double FrmStarFixWizard::NearestSunTime(bool morning) const {
    const int morningOrder[] = {kMorningSightsEnd, kVisibleSunrise, kSunrise, kMeridianPassage};
    const int eveningOrder[] = {kVisibleSunset, kSunset, kMeridianPassage, kMeridianPassage};
    for (int i : morning ? morningOrder : eveningOrder)
        if (sunTimes_[static_cast<size_t>(i)] != 0.0) return sunTimes_[static_cast<size_t>(i)];
    return std::floor(inputs_.date);
}

// One plain sentence for the shallowest altitude the Sun does not reach
// (the deeper ones are then not reached either); empty when all are.
QString FrmStarFixWizard::MissingTwilightText() const {
    const struct {
        int morning, evening;
        const char* altitude;
    } targets[] = {{kSunrise, kSunset, "the horizon"},
                   {kVisibleSunrise, kVisibleSunset, "the sea horizon"},
                   {kMorningSightsEnd, kEveningSightsStart, "3° below the horizon"},
                   {kMorningSightsStart, kEveningSightsEnd, "9° below the horizon"}};
    for (const auto& t : targets)
        if (sunTimes_[static_cast<size_t>(t.morning)] == 0.0 ||
            sunTimes_[static_cast<size_t>(t.evening)] == 0.0)
            return QString(
                       "At this date and place the Sun does not reach %1.\r\n"
                       "Its times are marked \"—\": for that twilight, type the time of "
                       "your observations.")
                .arg(QString::fromUtf8(t.altitude));
    return QString();
}

void FrmStarFixWizard::CommitLatitude(MaskedField& f) {
    if (const auto v = CommitLatitudeField(f, links_.DecSep)) {
        inputs_.lat = *v;
        inputs_.entered[1] = true;
    }
}

void FrmStarFixWizard::CommitLongitude(MaskedField& f) {
    if (const auto v = CommitLongitudeField(f, links_.DecSep)) {
        inputs_.lon = *v;
        inputs_.entered[2] = true;
    }
}

void FrmStarFixWizard::CommitHeight(MaskedField& f, bool metres) {
    if (f.IsEmptyEntry()) return;
    const double v = ParsePositiveText(f.MaskedText().toStdString(), links_.DecSep);
    if (v < 0.0)
        return f.Reject("The eye height is negative.",
                        MaskedField::RejectMode::ReplaceLastWithPrompt);
    f.SetBackColor(kValidGreen);
    f.ShowCommitted(Q(FormatNumber(v, metres ? "00.0" : "000.0", links_.DecSep)));
    inputs_.entered[3] = true;
    if (metres) {
        inputs_.heightEye = v;
        mskHeightF->SetMaskedText(Q(FormatNumber(MetresToFeet(v), "000.0", links_.DecSep)));
    } else {
        inputs_.heightEye = FeetToMetres(v);
        // A height over 99.9 m has no place in the metres field: it then
        // stays blank rather than show a cut figure.
        const std::string m = FormatNumber(inputs_.heightEye, "00.0", links_.DecSep);
        const QString sep = Q(links_.DecSep);
        mskHeightM->SetMaskedText(inputs_.heightEye < 99.95 ? Q(m) : "__" + sep + "_");
    }
}

// ---- Step 2: the Sun's times ---------------------------------------------------

bool FrmStarFixWizard::StepTwilight() {
    // A shortcut key leaves the focus in the date field: take its value.
    if (dtpTime->hasFocus()) dtpTime_LostFocus();
    if (!inputs_.Complete()) {
        ShowMessage(kIconExclamation + kButtonsOk, "Missing data",
                    "Some data are missing.\r\nPlease check that the whole input form is "
                    "completed.",
                    this);
        return false;
    }
    if (!StarSightTwilight(inputs_.lat, inputs_.lon, inputs_.date, inputs_.heightEye, sunTimes_)) {
        ShowMessage(kIconExclamation + kButtonsOk, "No rise/set times",
                    "At your latitude, the Sun is now circumpolar.\r\nThere is neither sunrise, "
                    "nor sunset.",
                    this);
        return false;
    }
    // A time of 0 is a time the Sun does not reach: "not available".
    for (int i = 0; i < 9; ++i)
        lblTimes[i]->setText(sunTimes_[i] == 0.0
                                 ? QString("—")
                                 : Q(FormatDateTime(sunTimes_[i], "d mmm yyyy hh:mm")));
    // For a new date or place: the time of each twilight starts from its
    // nearest Sun time (whole minutes, as the field shows them), and a
    // missing twilight is told once. Back on this step for the same day,
    // both stay as they were.
    if (sunTimes_ != obsTimeBasis_) {
        obsTimeBasis_ = sunTimes_;
        for (int i = 0; i < 2; ++i)
            obsTimeOf_[static_cast<size_t>(i)] =
                std::floor(NearestSunTime(i == 0) * 1440.0 + 1e-7) / 1440.0;
        obsTimeShown_ = optTime[0]->isChecked() ? 0 : 1;
        SetPickerValue(dtpObsTime, obsTimeOf_[static_cast<size_t>(obsTimeShown_)]);
        const QString missing = MissingTwilightText();
        if (!missing.isEmpty())
            ShowMessage(kIconInformation + kButtonsOk, QString("Twilight"), missing, this);
    }
    obsTimeRow_->setVisible(ChosenTwilightMissing());
    wizLastCandidate_ = 0;
    return true;
}

// ---- Step 3: candidates ------------------------------------------------------------

bool FrmStarFixWizard::StepCandidates() {
    if (wizLastCandidate_ == 0) {
        wizTimeIndex_ = optTime[0]->isChecked() ? 0 : 7;
        ShowObsTimeOfChoice();  // a choice the click handler did not see
        obsTimeTyped_ = ChosenTwilightMissing();
        wizObsTime_ = obsTimeTyped_ ? ToDateValue(dtpObsTime->dateTime().toUTC())
                                    : sunTimes_[static_cast<size_t>(wizTimeIndex_)];
        const double t = wizObsTime_;
        lstStars->clear();
        lstStars->setVisible(false);
        lblStep[2]->setText("Select the stars you want to observe from " +
                            Q(FormatDateTime(t, "d mmm yyyy hh:mm")) + ".");
        cand_ = ChooseStars(t, inputs_.lat, inputs_.lon, inputs_.heightEye);
        wizLastCandidate_ = cand_.Count() - 1;
        for (int i = 0; i < cand_.Count(); ++i) {
            auto* item = new QListWidgetItem(Q(CandidateItemText(cand_, i, links_.DecSep)));
            lstStars->addItem(item);
            item->setSelected(cand_.CandSelected[static_cast<size_t>(i)]);
        }
        lstStars->setVisible(true);
    }
    wizEndEnabled_ = false;
    return true;
}

bool FrmStarFixWizard::IsSelectedItem(int i) const {
    const QListWidgetItem* item = lstStars->item(i);
    return item && item->isSelected();
}

// ---- Step 4: the chosen stars ------------------------------------------------------

bool FrmStarFixWizard::StepTable() {
    int count = 0;
    for (int i = 0; i <= wizLastCandidate_; ++i)
        if (IsSelectedItem(i)) ++count;
    if (count == 0) {
        ShowMessage(kIconExclamation + kButtonsOk, "No star selected",
                    "There is no star selected.\r\nPlease select at least one star.", this);
        return false;
    }
    wizRowCount_ = count;
    InitStarsGrid();
    rows_.clear();
    for (int i = 0; i <= wizLastCandidate_; ++i) {
        if (!IsSelectedItem(i)) continue;
        rows_.push_back(CandidatePlace(cand_, i));
    }
    SortRows(true);
    ShowRows();
    SetPickerValue(dtpRealTime, wizObsTime_);  // whole seconds
    SetRealTimeHint(obsTimeTyped_ ? "Time entered by user" : "Time of sunrise/sunset");
    wizEndEnabled_ = true;
    return true;
}

// ---- Live table --------------------------------------------------------------------

void FrmStarFixWizard::SetRealTimeHint(const QString& hint) {
    dtpRealTime->setToolTip(hint);
}

double FrmStarFixWizard::RealTime() const {
    return ToDateValue(dtpRealTime->dateTime().toUTC());
}

void FrmStarFixWizard::InitStarsGrid() {
    grdStars->setVisible(true);
    grdStars->setUpdatesEnabled(false);
    grdStars->clear();
    QFont font = grdStars->font();
    font.setPointSize(11);
    grdStars->setFont(font);
    grdStars->setColumnCount(4);
    grdStars->setRowCount(wizRowCount_);
    const int rowHeight = static_cast<int>(std::lround(0.8 * mskLat->sizeHint().height()));
    grdStars->verticalHeader()->setDefaultSectionSize(std::max(rowHeight, 18));
    grdStars->horizontalHeader()->setMinimumHeight(static_cast<int>(std::lround(1.1 * 20)));
    grdStars->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    columnField_ = {0, 1, 2, 3};
    ShowRows();
    grdStars->setCurrentCell(wizRowCount_ > 0 ? 0 : -1, 0);
    grdStars->scrollToTop();
    grdStars->setUpdatesEnabled(true);
}

void FrmStarFixWizard::ShowRows() {
    grdStars->setColumnCount(4);
    grdStars->setRowCount(static_cast<int>(rows_.size()));
    for (int c = 0; c < 4; ++c) {
        const int field = columnField_[c];
        auto* h =
            new QTableWidgetItem(QIcon(WizardPictureOf(kHeaderPicture[field], 18)), kHeader[field]);
        h->setForeground(QColor(0, 0, 255));
        QFont hf = grdStars->font();
        hf.setPointSize(11);
        h->setFont(hf);
        h->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdStars->setHorizontalHeaderItem(c, h);
        for (size_t r = 0; r < rows_.size(); ++r) {
            auto* item = new QTableWidgetItem(FieldText(rows_[r], field, links_.DecSep));
            item->setTextAlignment(Qt::AlignCenter);
            grdStars->setItem(static_cast<int>(r), c, item);
        }
    }
    // While its step is hidden the table has no width of its own yet: the
    // columns are then sized when it shows.
    if (grdStars->isVisible()) SizeStarColumns();
    grdStars->scrollToTop();
}

void FrmStarFixWizard::SizeStarColumns() {
    const int w = grdStars->viewport()->width();
    for (int c = 0; c < 4; ++c)
        grdStars->setColumnWidth(c,
                                 static_cast<int>(std::lround(w * kColumnWidth[columnField_[c]])));
}

QString FrmStarFixWizard::Cell(int row, int column) const {
    if (row == 0) {
        const QTableWidgetItem* h = grdStars->horizontalHeaderItem(column);
        return h ? h->text() : QString();
    }
    const QTableWidgetItem* item = grdStars->item(row - 1, column);
    return item ? item->text() : QString();
}

void FrmStarFixWizard::SortRows(bool byColumnOne) {
    const std::array<int, 4> fields = columnField_;
    const std::string sep = links_.DecSep;
    if (byColumnOne) {
        const int f = fields[1];
        std::stable_sort(rows_.begin(), rows_.end(), [f](const BodyPlace& a, const BodyPlace& b) {
            return FieldNumber(a, f) < FieldNumber(b, f);
        });
        return;
    }
    const bool numeric = QString(kHeader[fields[0]]) == "Magn. ";
    std::stable_sort(rows_.begin(), rows_.end(), [&](const BodyPlace& a, const BodyPlace& b) {
        for (int f : fields) {
            if (numeric) {
                const double x = FieldNumber(a, f), y = FieldNumber(b, f);
                if (x != y) return x < y;
            } else {
                const QString x = FieldText(a, f, sep), y = FieldText(b, f, sep);
                if (x != y) return x < y;
            }
        }
        return false;
    });
}

void FrmStarFixWizard::FillStarsTable() {
    cand_ = VisibleBodies(inputs_.date, inputs_.lat, inputs_.lon, inputs_.heightEye);
    wizRowCount_ = cand_.Count();
    InitStarsGrid();
    rows_.clear();
    for (int i = 0; i < cand_.Count(); ++i) {
        rows_.push_back(CandidatePlace(cand_, i));
    }
    SortRows(true);
    ShowRows();
}

void FrmStarFixWizard::bthStartTimer_Click() {
    if (tmrRealTime->isActive()) {
        tmrRealTime->stop();
        bthStartTimer->setIcon(QIcon(WizardPictureOf(WizardPicture::TimerStart, 20)));
        bthStartTimer->setText("Start real time display");
        SetRealTimeHint("Computer clock (stopped)");
    } else {
        tmrRealTime->start(kLiveInterval);
        bthStartTimer->setIcon(QIcon(WizardPictureOf(WizardPicture::TimerStop, 20)));
        bthStartTimer->setText("Stop real time display");
        SetRealTimeHint("Computer clock (updated every 15s)");
        tmrRealTime_Timer();
    }
}

void FrmStarFixWizard::tmrRealTime_Timer() {
    const double t = links_.UtNow();
    SetPickerValue(dtpRealTime, t);
    // The columns may have changed places: each value goes to the column
    // whose header names it (ShowRows places them by columnField_, which
    // the header texts follow).
    rows_.clear();
    for (int i = 0; i <= wizLastCandidate_; ++i) {
        if (!IsSelectedItem(i)) continue;
        rows_.push_back(ComputeBodyPlace(cand_.CandName[static_cast<size_t>(i)], t, inputs_.lat,
                                         inputs_.lon, inputs_.heightEye));
    }
    wizRowCount_ = static_cast<int>(rows_.size());
    SortRows(!wizUserSorted_);
    grdStars->setUpdatesEnabled(false);
    ShowRows();
    grdStars->setUpdatesEnabled(true);
}

void FrmStarFixWizard::TypeRealTime(double ut) {
    dtpRealTime->setDateTime(FromDateValue(ut));  // runs dtpRealTime_Change as typing would
}

void FrmStarFixWizard::dtpRealTime_Change() {
    if (tmrRealTime->isActive()) {
        tmrRealTime->stop();
        bthStartTimer->setText("Start real time display");
        bthStartTimer->setIcon(QIcon(WizardPictureOf(WizardPicture::TimerStart, 20)));
    }
    if (!dtpRealTime->dateTime().isValid()) return;
    SetRealTimeHint("Time entered by user");
    const double t = RealTime();
    rows_.clear();
    const bool everyBody = tag_ == "FromAzi";
    const int last = everyBody ? cand_.Count() - 1 : wizLastCandidate_;
    for (int i = 0; i <= last && i < cand_.Count(); ++i) {
        if (!everyBody && !IsSelectedItem(i)) continue;
        rows_.push_back(ComputeBodyPlace(cand_.CandName[static_cast<size_t>(i)], t, inputs_.lat,
                                         inputs_.lon, inputs_.heightEye));
    }
    wizRowCount_ = static_cast<int>(rows_.size());
    SortRows(true);
    ShowRows();
}

void FrmStarFixWizard::grdStars_MouseDown(int row, int column) {
    draggedColumn_ = -1;
    if (row == 0 && column >= 0 && column < 4) draggedColumn_ = column;
}

void FrmStarFixWizard::grdStars_MouseUp(int targetColumn) {
    wizUserSorted_ = true;
    if (draggedColumn_ < 0) return;
    const int from = draggedColumn_;
    draggedColumn_ = -1;
    const int to = (targetColumn >= 0 && targetColumn < 4) ? targetColumn : from;
    grdStars->setUpdatesEnabled(false);
    const int moved = columnField_[from];
    std::array<int, 4> order{};
    int k = 0;
    for (int c = 0; c < 4; ++c)
        if (c != from) order[k++] = columnField_[c];
    // Insert the moved column at position `to`.
    std::array<int, 4> result{};
    int src = 0;
    for (int c = 0; c < 4; ++c) result[c] = (c == to) ? moved : order[src++];
    columnField_ = result;
    SortRows(false);
    ShowRows();
    grdStars->setUpdatesEnabled(true);
}

}  // namespace orvex
