// The condition fields of the star-fix input: course and speed, height of
// eye in metres or feet, pressure in hectopascals or inches of mercury, air
// and sea temperatures in degrees Celsius or Fahrenheit, and their spin
// buttons. Each pair of unit fields stays in step: committing one writes the
// other. Only metres, hectopascals and degrees Celsius reach the star fix.
//
// A refused entry leaves every value as it was before it, its entered flag
// included: the number typed is never stored, and emptying the refused field
// leaves the last accepted value in force. The star-fix driver checks a field
// that still shows a refused text again before every fix.
#include <cmath>

#include "inputs/condition_checks.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/unit_conversions.h"
#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/sights_editor.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

namespace {
// Tolerance of the spin buttons' limit tests: the values step by tenths
// and whole units, so a hundredth of the step decides.
constexpr double kSpinSlack = 1e-6;

std::string FieldText(const MaskedField* f) {
    return f->MaskedText().toStdString();
}

void Put(MaskedField* f, const std::string& text) {
    f->SetMaskedText(QString::fromStdString(text));
}

// The paired unit field shows the value just committed. Left untouched, it
// commits nothing: its rounded text never comes back as the value.
void ShowInPartner(MaskedField* f, const std::string& text) {
    Put(f, text);
    f->MarkWrittenByProgram();
}

// Nothing to commit: an empty field, or a paired field still showing the
// text the program wrote into it.
bool NothingTyped(const MaskedField* f) {
    return f->IsEmptyEntry() || f->WrittenByProgram();
}

// After an accepted commit a typed field shows the value as stored.
void ShowStored(MaskedField* f, const std::string& text) {
    f->ShowCommitted(QString::fromStdString(text));
}

// Turns the field green when the verdict accepts its text and returns true;
// otherwise shows the verdict's message, puts the prompt in place of the
// last place typed and returns false.
bool Accept(MaskedField* f, const FieldVerdict& v) {
    if (!v.Accepted) {
        f->Reject(QString::fromStdString(v.Message),
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return false;
    }
    f->SetBackColor(kValidGreen);
    return true;
}
}  // namespace

// ---- Course and speed ------------------------------------------------------

void StarFixInputPage::mskCourse_LostFocus() {
    MaskedField* f = mskCourse0;
    if (f->IsEmptyEntry()) return;
    const FieldVerdict v = CheckCourseText(FieldText(f), ctx_.DecSep);
    if (!Accept(f, v)) return;
    ShowStored(f, FormatNumber(v.Value, "000°.0", ctx_.DecSep));
    state_.CourseInput = v.Value;
    state_.Course = v.Value;
    state_.FixEntered[5] = true;
}

void StarFixInputPage::mskSpeed_LostFocus() {
    MaskedField* f = mskSpeed;
    if (f->IsEmptyEntry()) return;
    const FieldVerdict v = CheckSpeedText(FieldText(f), ctx_.DecSep);
    if (!Accept(f, v)) return;
    ShowStored(f, FormatNumber(v.Value, "000.0", ctx_.DecSep));
    state_.Speed = v.Value;
    state_.SpeedInput = v.Value;
    state_.FixEntered[6] = true;
}

// ---- Height of eye ---------------------------------------------------------

void StarFixInputPage::mskHeightM_LostFocus() {
    MaskedField* f = mskHeightM;
    if (NothingTyped(f)) return;
    const FieldVerdict v = CheckHeightMetresText(FieldText(f), ctx_.DecSep);
    if (!Accept(f, v)) return;
    ShowStored(f, MetresText(v.Value, ctx_.DecSep));
    state_.HeightEye = v.Value;
    state_.FixEntered[7] = true;
    ShowInPartner(mskHeightF, FeetTextOfMetres(v.Value, ctx_.DecSep));
}

void StarFixInputPage::mskHeightF_LostFocus() {
    MaskedField* f = mskHeightF;
    if (NothingTyped(f)) return;
    const FieldVerdict v = CheckHeightFeetText(FieldText(f), ctx_.DecSep);
    if (!Accept(f, v)) return;
    ShowStored(f, FormatNumber(v.Value, "000.0", ctx_.DecSep));
    state_.HeightEye = FeetToMetres(v.Value);
    state_.FixEntered[7] = true;
    ShowInPartner(mskHeightM, MetresText(state_.HeightEye, ctx_.DecSep));
}

// ---- Pressure --------------------------------------------------------------

void StarFixInputPage::mskPress_mBars_LostFocus() {
    MaskedField* f = mskPressMBars;
    if (NothingTyped(f)) return;
    const FieldVerdict v = CheckPressureMBarsText(FieldText(f), ctx_.DecSep);
    if (!Accept(f, v)) return;
    ShowStored(f, MillibarsText(v.Value));
    state_.PressMBars = v.Value;
    state_.PressHg = MillibarsToInchesHg(v.Value);
    ShowInPartner(mskPressHg, InchesHgText(state_.PressHg, ctx_.DecSep));
}

void StarFixInputPage::mskPressHg_LostFocus() {
    MaskedField* f = mskPressHg;
    if (NothingTyped(f)) return;
    const FieldVerdict v = CheckPressureHgText(FieldText(f), ctx_.DecSep);
    if (!Accept(f, v)) return;
    ShowStored(f, InchesHgText(v.Value, ctx_.DecSep));
    state_.PressHg = v.Value;
    state_.PressMBars = InchesHgToMillibars(v.Value);
    ShowInPartner(mskPressMBars, MillibarsText(state_.PressMBars));
}

// ---- Temperatures ------------------------------------------------------------

void StarFixInputPage::mskTempCelcius_LostFocus(int index) {
    if (index < 0 || index > 1) return;
    MaskedField* f = mskTempCelcius[At(index)];
    if (NothingTyped(f)) return;
    const FieldVerdict v = CheckTemperatureText(FieldText(f), ctx_.DecSep, false);
    if (!Accept(f, v)) return;
    ShowStored(f, TemperatureText(v.Value));
    const double fahr = CelsiusToFahrenheit(v.Value);
    (index == 0 ? state_.TempAirC : state_.TempWaterC) = v.Value;
    (index == 0 ? state_.TempAirF : state_.TempWaterF) = fahr;
    ShowInPartner(mskTempFahr[At(index)], TemperatureText(fahr));
}

void StarFixInputPage::mskTempFahr_LostFocus(int index) {
    if (index < 0 || index > 1) return;
    MaskedField* f = mskTempFahr[At(index)];
    if (NothingTyped(f)) return;
    const FieldVerdict v = CheckTemperatureText(FieldText(f), ctx_.DecSep, true);
    if (!Accept(f, v)) return;
    ShowStored(f, TemperatureText(v.Value));
    const double celsius = FahrenheitToCelsius(v.Value);
    (index == 0 ? state_.TempAirF : state_.TempWaterF) = v.Value;
    (index == 0 ? state_.TempAirC : state_.TempWaterC) = celsius;
    ShowInPartner(mskTempCelcius[At(index)], TemperatureText(celsius));
}

bool StarFixInputPage::CommitStarFixFieldsAgain() {
    state_.Course = state_.CourseInput;
    state_.Speed = state_.SpeedInput;
    if (!mskCourse0->Commit() || !mskSpeed->Commit()) return false;
    for (MaskedField* f : {mskLat5, mskLong5, mskHeightM, mskHeightF, mskPressMBars, mskPressHg,
                           mskTempCelcius[0], mskTempCelcius[1], mskTempFahr[0], mskTempFahr[1]})
        if (f->WasRejected() && !f->Commit()) return false;
    return true;
}

// ---- Spin buttons ------------------------------------------------------------
// A button never steps past the field's limits: at a limit, or nearer to it
// than one step, a click does nothing.

void StarFixInputPage::updPressHg_DownClick() {
    if (state_.PressHg < 27.86 - kSpinSlack) return;
    state_.PressHg -= 0.1;
    Put(mskPressHg, InchesHgText(state_.PressHg, ctx_.DecSep));
    mskPressHg_LostFocus();
}

void StarFixInputPage::updPressHg_UpClick() {
    if (state_.PressHg > 31.49 + kSpinSlack) return;
    state_.PressHg += 0.1;
    Put(mskPressHg, InchesHgText(state_.PressHg, ctx_.DecSep));
    mskPressHg_LostFocus();
}

void StarFixInputPage::updPress_mBars_DownClick() {
    if (state_.PressMBars < 941 - kSpinSlack) return;
    state_.PressMBars -= 1;
    Put(mskPressMBars, MillibarsSpinText(state_.PressMBars));
    mskPress_mBars_LostFocus();
}

void StarFixInputPage::updPress_mBars_UpClick() {
    if (state_.PressMBars > 1069 + kSpinSlack) return;
    state_.PressMBars += 1;
    Put(mskPressMBars, MillibarsSpinText(state_.PressMBars));
    mskPress_mBars_LostFocus();
}

void StarFixInputPage::updTempCelcius_DownClick(int index) {
    if (index < 0 || index > 1) return;
    const double t = index == 0 ? state_.TempAirC : state_.TempWaterC;
    if (t < -49 - kSpinSlack) return;
    Put(mskTempCelcius[At(index)], TemperatureText(t - 1));
    mskTempCelcius_LostFocus(index);
}

void StarFixInputPage::updTempCelcius_UpClick(int index) {
    if (index < 0 || index > 1) return;
    const double t = index == 0 ? state_.TempAirC : state_.TempWaterC;
    if (t > 69 + kSpinSlack) return;
    Put(mskTempCelcius[At(index)], TemperatureText(t + 1));
    mskTempCelcius_LostFocus(index);
}

void StarFixInputPage::updTempFahr_DownClick(int index) {
    if (index < 0 || index > 1) return;
    const double t = index == 0 ? state_.TempAirF : state_.TempWaterF;
    if (t < -57 - kSpinSlack) return;
    Put(mskTempFahr[At(index)], TemperatureText(t - 1));
    mskTempFahr_LostFocus(index);
}

void StarFixInputPage::updTempFahr_UpClick(int index) {
    if (index < 0 || index > 1) return;
    const double t = index == 0 ? state_.TempAirF : state_.TempWaterF;
    if (t > 157 + kSpinSlack) return;
    Put(mskTempFahr[At(index)], TemperatureText(t + 1));
    mskTempFahr_LostFocus(index);
}

// ---- Instrument correction -------------------------------------------------------

void StarFixInputPage::mskInstErr_GotFocus(int index) {
    if (index == 1) {
        sights_->CorrectionEntered();
        return;
    }
    state_.FixEntered[8] = false;
    // The whole text selected: the first key typed begins a new number.
    conditionsTyping_.Restart();
    mskInstErr[0]->selectAll();
}

void StarFixInputPage::mskInstErr_LostFocus() {
    MaskedField* f = mskInstErr[0];
    if (f->IsEmptyEntry()) return;
    double x = ParseNumberText(f->text().toStdString(), ctx_.DecSep);
    // Minutes typed beyond the field show its limit, which is not what was
    // typed: refused as any value beyond +-99.99'.
    if (conditionsTyping_.ShowsBeyond()) x = kNotANumber;
    if (std::fabs(x) > 99.99) {
        f->Reject("The instrumental correction is not valid. Try again please.",
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        // Tried again: the next key begins a new number.
        conditionsTyping_.Restart();
        return;
    }
    if (std::fabs(x) > 60.0) {
        ShowMessage(kIconQuestion + kButtonsOk, QString("Probable error in input data"),
                    QString("Are you sure the instrumental correction is higher than 1° ?\r\n"
                            " I suggest you throw your sextant overboard."),
                    this);
        f->SetBackColor(kDoubtfulOrange);
    } else {
        f->SetBackColor(kValidGreen);
    }
    f->SetMaskedText(QString::fromStdString(FormatNumber(x, "+00.00;-00.00", ctx_.DecSep)));
    state_.InstErr = x;
    state_.FixEntered[8] = true;
}

}  // namespace orvex
