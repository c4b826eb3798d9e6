// The latitude and longitude fields mskLat(0..5) and mskLong(0..5), shared
// by the utilities page (indexes 0 to 4, position slots 1 to 5) and the
// star-fix input (index 5, the estimated position, slot 6). A field commits
// when it is left: an accepted position goes to its slot, sets the field's
// entered flag and turns the field green; the utilities recompute at once.
// A refused position keeps its text and the focus, and its slot and flag
// keep the last accepted value; the star-fix driver checks a refused
// estimated position again before every fix.
#include "workbench/core/position_checks.h"
#include "workbench/main_window.h"

namespace orvex {

void FrmWorking::RecomputeUtilities() {
    if (onTestCompute) onTestCompute(0);
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
    if (index < 0 || index > 5) return;
    MaskedField* f = mskLat[index];
    const bool utility = index <= kLimitsFieldIndex;
    if (f->IsEmptyEntry()) {
        // An emptied utilities position is no longer an input; the
        // estimated position keeps its flag, value and colour.
        if (utility) {
            state_.UtilEntered[2 * index] = false;
            RecomputeUtilities();
        }
        return;
    }
    const FieldVerdict v = CheckLatitudeText(index, f->MaskedText().toStdString(), state_.DecSep);
    if (!v.Accepted) {
        cancel = true;
        f->Reject(QString::fromStdString(v.Message), MaskedField::RejectMode::KeepText);
        return;
    }
    state_.Lat(index + 1) = v.Value;
    if (utility) {
        state_.UtilEntered[2 * index] = true;
        RecomputeUtilities();
    } else {
        state_.FixEntered[2] = true;
    }
    f->SetBackColor(kValidGreen);
}

void FrmWorking::mskLong_Validate(int index, bool& cancel) {
    if (index < 0 || index > 5) return;
    MaskedField* f = mskLong[index];
    const bool utility = index <= kLimitsFieldIndex;
    if (f->IsEmptyEntry()) {
        if (utility) {
            state_.UtilEntered[2 * index + 1] = false;
            RecomputeUtilities();
        }
        return;
    }
    const FieldVerdict v = CheckLongitudeText(index, f->MaskedText().toStdString(), state_.DecSep);
    if (!v.Accepted) {
        cancel = true;
        f->Reject(QString::fromStdString(v.Message), MaskedField::RejectMode::KeepText);
        return;
    }
    state_.Long(index + 1) = v.Value;
    if (utility) {
        state_.UtilEntered[2 * index + 1] = true;
        RecomputeUtilities();
    } else {
        state_.FixEntered[3] = true;
    }
    f->SetBackColor(kValidGreen);
}

}  // namespace orvex
