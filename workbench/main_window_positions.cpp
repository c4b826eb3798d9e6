// The utilities' latitude and longitude fields mskLat(0..4) and
// mskLong(0..4) (position slots 1 to 5) and the rhumb-line course
// mskCourse(1); the star-fix input page holds index 5 and course 0. A field
// commits when it is left: an accepted value goes to its slot, sets the
// field's entered flag, turns the field green and the utilities recompute at
// once. A refused position keeps its text and the focus, and its slot and
// flag keep the last accepted value; an emptied field is no longer an input.
#include "workbench/core/condition_checks.h"
#include "workbench/core/position_checks.h"
#include "workbench/main_window.h"

namespace orvex {

void FrmWorking::RecomputeUtilities() {
    if (onTestCompute) onTestCompute(0);
}

void FrmWorking::mskCourse_LostFocus(int index) {
    if (index != 1) return;
    MaskedField* f = mskCourse[1];
    if (f->IsEmptyEntry()) {
        state_.UtilEntered[10] = false;
        RecomputeUtilities();
        return;
    }
    const FieldVerdict v = CheckCourseText(f->MaskedText().toStdString(), state_.DecSep);
    if (!v.Accepted) {
        f->Reject(QString::fromStdString(v.Message),
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    f->SetBackColor(kValidGreen);
    state_.RLCourse = v.Value;
    state_.UtilEntered[10] = true;
    RecomputeUtilities();
}

void FrmWorking::mskLat_KeyPress(int index, QChar& key) {
    Q_UNUSED(index);
    key = QChar(static_cast<char16_t>(LatitudeKey(key.unicode())));
}

void FrmWorking::mskLong_KeyPress(int index, QChar& key) {
    Q_UNUSED(index);
    key = QChar(static_cast<char16_t>(LongitudeKey(key.unicode())));
}

void FrmWorking::mskLat_Validate(int index, bool& cancel) {
    if (index < 0 || index > kLimitsFieldIndex) return;
    MaskedField* f = mskLat[index];
    if (f->IsEmptyEntry()) {
        state_.UtilEntered[2 * index] = false;
        RecomputeUtilities();
        return;
    }
    const FieldVerdict v = CheckLatitudeText(index, f->MaskedText().toStdString(), state_.DecSep);
    if (!v.Accepted) {
        cancel = true;
        f->Reject(QString::fromStdString(v.Message), MaskedField::RejectMode::KeepText);
        return;
    }
    state_.Lat(index + 1) = v.Value;
    state_.UtilEntered[2 * index] = true;
    RecomputeUtilities();
    f->SetBackColor(kValidGreen);
}

void FrmWorking::mskLong_Validate(int index, bool& cancel) {
    if (index < 0 || index > kLimitsFieldIndex) return;
    MaskedField* f = mskLong[index];
    if (f->IsEmptyEntry()) {
        state_.UtilEntered[2 * index + 1] = false;
        RecomputeUtilities();
        return;
    }
    const FieldVerdict v = CheckLongitudeText(index, f->MaskedText().toStdString(), state_.DecSep);
    if (!v.Accepted) {
        cancel = true;
        f->Reject(QString::fromStdString(v.Message), MaskedField::RejectMode::KeepText);
        return;
    }
    state_.Long(index + 1) = v.Value;
    state_.UtilEntered[2 * index + 1] = true;
    RecomputeUtilities();
    f->SetBackColor(kValidGreen);
}

}  // namespace orvex
