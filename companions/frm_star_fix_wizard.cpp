// The star-fix wizard's window: its making, its life among the program's
// windows and the navigation between its four steps.
#include "companions/frm_star_fix_wizard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "companions/companion_controls.h"
#include "companions/wizard_pictures.h"
#include "navlib/hooks.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "platform/tab_page.h"

namespace orvex {

using namespace companion_ui;

namespace {

constexpr int kOutOfSight = -10000;
constexpr int kLiveInterval = 15000;    // ms
constexpr double kAziHeightEye = 10.0;  // metres, for the bodies above the horizon

const char* const kStepTitle[4] = {"Step 1", "Step 2", "Step 3",
                                   "Position of the selected stars on"};
const char* const kStepText[4] = {"Enter observation datas", "Times", "Select stars",
                                  "Display stars to observe"};

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
        QFrame*& f = fraStep[static_cast<std::size_t>(i)];
        f = new QFrame(frameArea_);
        f->setObjectName(Indexed("fraStep", i));
        f->setFrameShape(QFrame::StyledPanel);
        f->setProperty("StepTitle", kStepTitle[i]);
        f->setProperty("StepText", kStepText[i]);
    }
    BuildStep1(fraStep[0]);
    BuildStep2(fraStep[1]);
    BuildStep3(fraStep[2]);
    BuildStep4(fraStep[3]);

    auto* nav = new QHBoxLayout;
    const char* navText[5] = {"Help", "Cancel", "< &Back", "&Next >", "&End"};
    for (int i = 0; i < 5; ++i) {
        QPushButton*& b = cmdNav[static_cast<std::size_t>(i)];
        b = MakeButton(this, navText[i], Indexed("cmdNav", i));
        b->setAutoDefault(false);
        if (i == 1) nav->addStretch(1);
        nav->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdNav_Click(i); });
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
    for (QFrame* f : fraStep) {
        f->move(kOutOfSight, 0);
        f->setVisible(false);
    }
    resize(640, 520);
}

FrmStarFixWizard::~FrmStarFixWizard() {
    if (tmrRealTime) tmrRealTime->stop();
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

void FrmStarFixWizard::SetPickerValue(QDateTimeEdit* picker, double ut) {
    const bool was = settingByCode_;
    settingByCode_ = true;
    picker->setDateTime(FromDateValue(ut));
    settingByCode_ = was;
}

// ---- Window life -------------------------------------------------------

void FrmStarFixWizard::Form_Activate() {
    if (tag_ == "FromMain") {
        ResetForMain();
    } else if (tag_ == "FromAzi") {
        ShowWhatIsUp();
    }
    if (isVisible()) {
        if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
    }
}

void FrmStarFixWizard::ResetForMain() {
    tag_ = "FromOther";
    bthStartTimer->setEnabled(true);
    bthStartTimer->setVisible(true);
    ShowTimerButton(false);
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
}

void FrmStarFixWizard::ShowWhatIsUp() {
    inputs_.date = aziTime_;
    inputs_.lat = aziLat_;
    inputs_.lon = aziLong_;
    inputs_.heightEye = kAziHeightEye;
    bthStartTimer->setEnabled(false);
    bthStartTimer->setVisible(false);
    for (std::size_t i = 1; i <= 3; ++i) {
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
    for (std::size_t i = 0; i < 3; ++i) {
        fraStep[i]->move(kOutOfSight, 0);
        fraStep[i]->setVisible(false);
    }
    fraStep[3]->move(0, 0);
    fraStep[3]->setVisible(true);
    PlaceFrames();
    FillStarsTable();
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
    if (StarTableEvent(watched, e)) return true;
    return QWidget::eventFilter(watched, e);
}

// ---- Navigation -----------------------------------------------------------

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
                for (std::size_t i = 1; i <= 3; ++i) cmdNav[i]->setVisible(true);
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
        ShowTimerButton(false);
    }
    const auto from = static_cast<std::size_t>(wizStep_ - 1);
    const auto to = static_cast<std::size_t>(n - 1);
    fraStep[from]->setVisible(false);
    fraStep[to]->move(0, 0);
    if (n != wizStep_) fraStep[from]->move(kOutOfSight, 0);
    fraStep[to]->setVisible(true);
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

}  // namespace orvex
