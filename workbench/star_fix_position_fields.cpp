// The estimated position and times of the star-fix input page, and its
// erase buttons and new-fix reset. The estimated position commits when its
// field is left: an accepted position goes to slot 6, sets its entered flag
// and turns the field green; a refused one keeps its text and the focus, and
// the slot and flag keep the last accepted value.
#include <QDateTimeEdit>
#include <cmath>

#include "inputs/position_checks.h"
#include "navlib/inout_lib.h"
#include "navlib/unit_conversions.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "workbench/core/input_masks.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

// ---- Estimated position ------------------------------------------------------
// An emptied field keeps its flag, value and colour.

void StarFixInputPage::mskLat_Validate(bool& cancel) {
    MaskedField* f = mskLat5;
    if (f->IsEmptyEntry()) return;
    const FieldVerdict v = CheckLatitudeText(5, f->MaskedText().toStdString(), ctx_.DecSep);
    if (!v.Accepted) {
        cancel = true;
        f->Reject(QString::fromStdString(v.Message), MaskedField::RejectMode::KeepText);
        return;
    }
    f->ShowCommitted(QString::fromStdString(FormatLatitude(v.Value, ctx_.DecSep)));
    state_.Lat(6) = v.Value;
    state_.FixEntered[2] = true;
    f->SetBackColor(kValidGreen);
}

void StarFixInputPage::mskLong_Validate(bool& cancel) {
    MaskedField* f = mskLong5;
    if (f->IsEmptyEntry()) return;
    const FieldVerdict v = CheckLongitudeText(5, f->MaskedText().toStdString(), ctx_.DecSep);
    if (!v.Accepted) {
        cancel = true;
        f->Reject(QString::fromStdString(v.Message), MaskedField::RejectMode::KeepText);
        return;
    }
    f->ShowCommitted(QString::fromStdString(FormatLongitude(v.Value, ctx_.DecSep)));
    state_.Long(6) = v.Value;
    state_.FixEntered[3] = true;
    f->SetBackColor(kValidGreen);
}

// ---- Date-time pickers -------------------------------------------------------------

void StarFixInputPage::dtpTime_LostFocus(int index) {
    if (index < 0 || index > 1) return;
    const double value = ToDateValue(dtpTime[At(index)]->dateTime());
    if (index == 0) {
        state_.TimeEstPos = value;
        state_.FixEntered[1] = true;
        // The wanted time follows until its own picker has been left
        // once; it is only shown, not taken.
        if (!state_.FixEntered[4]) dtpTime[1]->setDateTime(dtpTime[0]->dateTime());
    } else {
        state_.TimeTruePos = value;
        state_.FixEntered[4] = true;
    }
}

// ---- New star fix and erase buttons ---------------------------------------------------

void StarFixInputPage::cmdEraseObs_Click() {
    const std::string& sep = ctx_.DecSep;
    auto blank = [](MaskedField* f, const std::string& text) {
        f->SetMaskedText(QString::fromStdString(text));
        f->SetBackColor(MaskedField::WindowColor());
    };
    // 1. The present UT cut down to the whole hour (a hair added so that an
    // exact hour is not taken for the one before).
    const double now = links_.UtcNow ? links_.UtcNow() : 0.0;
    const double start = std::floor(now * 24.0 + 1e-7) / 24.0;
    // 2.
    if (links_.ResetChartView) links_.ResetChartView();
    // 3.
    ShowTab(0);
    // 4.
    state_.FixEntered.fill(false);
    // 5. The pickers show the start; the times are taken when they are left.
    const QDateTime shown = FromDateValue(start);
    dtpTime[0]->setDateTime(shown);
    dtpTime[1]->setDateTime(shown);
    if (dtpObsTime)
        dtpObsTime->setDateTime(QDateTime(shown.date(), shown.time(), dtpObsTime->timeSpec()));
    // 6. Estimated position.
    blank(mskLat5, BlankLatitudeText(sep));
    state_.Lat(6) = 0.0;
    blank(mskLong5, BlankLongitudeText(sep));
    state_.Long(6) = 0.0;
    // 7. Course and speed.
    blank(mskCourse0, "___°" + sep + "_");
    state_.Course = 0.0;
    blank(mskSpeed, "___" + sep + "_");
    state_.Speed = 0.0;
    // 8. Height of eye.
    blank(mskHeightF, "___" + sep + "_");
    blank(mskHeightM, "__" + sep + "_");
    state_.HeightEye = 0.0;
    // 9. Instrument correction: the fields only; the stored value stays.
    for (MaskedField* f : mskInstErr) blank(f, "___" + sep + "__");
    // 10. Standard pressure.
    blank(mskPressMBars, "1013");
    state_.PressMBars = 1013.0;
    blank(mskPressHg, "29" + sep + "91");
    state_.PressHg = MillibarsToInchesHg(1013.0);
    // 11. Standard temperatures.
    for (int i = 0; i < 2; ++i) {
        blank(mskTempCelcius[At(i)], "_20");
        blank(mskTempFahr[At(i)], "_68");
    }
    state_.TempAirC = state_.TempWaterC = 20.0;
    state_.TempAirF = state_.TempWaterF = 68.0;
    // 12. The grid, empty with its headers.
    InitObsGrid();
    // 13. No result panels until the next fix.
    if (links_.SetStatusSimple) links_.SetStatusSimple(true);
    // 14.
    if (links_.EnableAction)
        for (const char* n :
             {"mnuAstroCorrect", "mnuAstroSave", "mnuAstroErase", "mnuAstroNum", "mnuAstroGraph"})
            links_.EnableAction(n, false);
}

void StarFixInputPage::cmdEraseLat_Click() {
    // The slot keeps its value; the fix is refused until the field is
    // entered again.
    mskLat5->SetMaskedText(QString::fromStdString(BlankLatitudeText(ctx_.DecSep)));
    mskLat5->SetBackColor(MaskedField::WindowColor());
    state_.FixEntered[2] = false;
    mskLat5->setFocus(Qt::OtherFocusReason);
}

void StarFixInputPage::cmdEraseLong_Click() {
    mskLong5->SetMaskedText(QString::fromStdString(BlankLongitudeText(ctx_.DecSep)));
    mskLong5->SetBackColor(MaskedField::WindowColor());
    state_.FixEntered[3] = false;
    mskLong5->setFocus(Qt::OtherFocusReason);
}

}  // namespace orvex
