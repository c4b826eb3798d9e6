// The star-fix input's own controls: the option check boxes, the date-time
// pickers, the time-store button, the correction command, the new-fix reset
// and the erase buttons of the estimated position, and the chosen
// ellipsoid's labels.
#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QTabWidget>
#include <cmath>

#include "navlib/unit_conversions.h"
#include "platform/pc_clock.h"
#include "workbench/core/input_masks.h"
#include "workbench/main_window.h"

namespace orvex {

// ---- Options -------------------------------------------------------------------

void FrmWorking::ch3FullRoutine_Click() {
    state_.FullRoutine = ch3FullRoutine->isChecked();
}

void FrmWorking::ch3OneEstPos_Click(int index) {
    if (index < 0 || index > 1) return;
    // The two boxes (options page and input page) always agree.
    ch3OneEstPos[1 - index]->setChecked(ch3OneEstPos[index]->isChecked());
    state_.OneEstPos = ch3OneEstPos[0]->isChecked();
}

// ---- Date-time pickers -------------------------------------------------------------

void FrmWorking::dtpTime_LostFocus(int index) {
    if (index < 0 || index > 2) return;
    const double value = ToDateValue(dtpTime[index]->dateTime());
    switch (index) {
        case 0:
            state_.TimeEstPos = value;
            state_.FixEntered[1] = true;
            // The wanted time follows until its own picker has been left
            // once; it is only shown, not taken.
            if (!state_.FixEntered[4]) dtpTime[1]->setDateTime(dtpTime[0]->dateTime());
            break;
        case 1:
            state_.TimeTruePos = value;
            state_.FixEntered[4] = true;
            break;
        default:
            state_.EtaDepTime = value;
            break;
    }
}

void FrmWorking::cmdChronoF5_Click() {
    ShowTimeStore();
}

void FrmWorking::mnuAstroCorrect_Click() {
    // Back to the input tabs with every input as it was.
    CenterControl(tabIn);
    tabIn->setVisible(true);
    tabIn->raise();
}

// ---- New star fix and erase buttons ---------------------------------------------------

void FrmWorking::cmdEraseObs_Click() {
    const std::string& sep = state_.DecSep;
    auto blank = [](MaskedField* f, const std::string& text) {
        f->SetMaskedText(QString::fromStdString(text));
        f->SetBackColor(MaskedField::WindowColor());
    };
    // 1. The present UT cut down to the whole hour (a hair added so that an
    // exact hour is not taken for the one before).
    const double now = clockUtcNow ? clockUtcNow() : 0.0;
    const double start = std::floor(now * 24.0 + 1e-7) / 24.0;
    // 2.
    state_.LopLength = 5.0;
    state_.ChartScale = 0.1;
    // 3.
    SetTabByCode(tabIn, 0);
    // 4.
    state_.FixEntered.fill(false);
    // 5. The pickers show the start; the times are taken when they are left.
    const QDateTime shown = FromDateValue(start);
    dtpTime[0]->setDateTime(shown);
    dtpTime[1]->setDateTime(shown);
    if (dtpObsTime)
        dtpObsTime->setDateTime(QDateTime(shown.date(), shown.time(), dtpObsTime->timeSpec()));
    // 6. Estimated position.
    blank(mskLat[5], BlankLatitudeText(sep));
    state_.Lat(6) = 0.0;
    blank(mskLong[5], BlankLongitudeText(sep));
    state_.Long(6) = 0.0;
    // 7. Course and speed.
    blank(mskCourse[0], "___°" + sep + "_");
    state_.Course = 0.0;
    blank(MaskField("mskSpeed", -1), "___" + sep + "_");
    state_.Speed = 0.0;
    // 8. Height of eye.
    blank(MaskField("mskHeightF", -1), "___" + sep + "_");
    blank(MaskField("mskHeightM", -1), "__" + sep + "_");
    state_.HeightEye = 0.0;
    // 9. Instrument correction: the fields only; the stored value stays.
    for (MaskedField* f : mskInstErr) blank(f, "___" + sep + "__");
    // 10. Standard pressure.
    blank(MaskField("mskPress_mBars", -1), "1013");
    state_.PressMBars = 1013.0;
    blank(MaskField("mskPressHg", -1), "29" + sep + "91");
    state_.PressHg = MillibarsToInchesHg(1013.0);
    // 11. Standard temperatures.
    for (int i = 0; i < 2; ++i) {
        blank(mskTempCelcius[i], "_20");
        blank(mskTempFahr[i], "_68");
    }
    state_.TempAirC = state_.TempWaterC = 20.0;
    state_.TempAirF = state_.TempWaterF = 68.0;
    // 12. The grid, empty with its headers.
    if (onClearGrid) onClearGrid();
    // 13. No result panels until the next fix.
    SetStatusSimple(true);
    // 14.
    for (const char* n :
         {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum", "mnuAstroGraph"})
        Action(n)->setEnabled(false);
}

void FrmWorking::cmdEraseLat_Click() {
    // The slot keeps its value; the fix is refused until the field is
    // entered again.
    mskLat[5]->SetMaskedText(QString::fromStdString(BlankLatitudeText(state_.DecSep)));
    mskLat[5]->SetBackColor(MaskedField::WindowColor());
    state_.FixEntered[2] = false;
    mskLat[5]->setFocus(Qt::OtherFocusReason);
}

void FrmWorking::cmdEraseLong_Click() {
    mskLong[5]->SetMaskedText(QString::fromStdString(BlankLongitudeText(state_.DecSep)));
    mskLong[5]->SetBackColor(MaskedField::WindowColor());
    state_.FixEntered[3] = false;
    mskLong[5]->setFocus(Qt::OtherFocusReason);
}

// ---- Chosen ellipsoid -------------------------------------------------------------------

void FrmWorking::ShowChosenEllipsoid(const QString& name) {
    // The two copies of the label on the rhumb-line and great-circle tabs.
    for (QLabel* l : lblChoosenEllipsoid)
        if (l) l->setText(name);
}

}  // namespace orvex
