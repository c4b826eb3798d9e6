// The utilities' latitude and longitude fields mskLat(0..4) and
// mskLong(0..4) (position slots 1 to 5), the rhumb-line course mskCourse(1)
// and the ETA departure picker dtpTime(2). A field commits when it is left:
// an accepted value goes to its slot, sets the field's entered flag, turns
// the field green and the utilities recompute at once. A refused position
// keeps its text and the focus, and its slot and flag keep the last accepted
// value; an emptied field is no longer an input.
#include <QDateTimeEdit>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

#include "inputs/condition_checks.h"
#include "inputs/position_checks.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "platform/pc_clock.h"
#include "sailing/utilities_layout.h"
#include "sailing/utilities_page.h"

namespace orvex {

using namespace utilities_layout;

namespace {

void FitToSample(QWidget* f, const QString& sample) {
    f->setFixedWidth(QFontMetrics(f->font()).horizontalAdvance(sample) + 18);
}

}  // namespace

void UtilitiesPage::AddDeparturePicker() {
    QWidget* etaArea = widget(2)->findChild<QWidget*>("tabUtil_2_fields");
    dtpDeparture = links_.MakeTimePicker ? links_.MakeTimePicker("dtpTime_2", etaArea)
                                         : new QDateTimeEdit(etaArea);
    if (auto* g = qobject_cast<QGridLayout*>(etaArea->layout())) {
        const int row = g->rowCount();
        g->addWidget(new QLabel("Departure time :", etaArea), row, 0);
        g->addWidget(dtpDeparture, row, 1);
    }
    // The picker commits when it is left.
    if (links_.WhenLeft) links_.WhenLeft(dtpDeparture, [this] { dtpDeparture_LostFocus(); });
}

void UtilitiesPage::HookPositionFields() {
    for (size_t i = 0; i <= 4; ++i) {
        FitToSample(mskLat[i], "00°00'.0 N");
        FitToSample(mskLong[i], "000°00'.0 W");
    }
    FitToSample(mskCourse1, "000°.0");
    for (int i = 0; i <= 4; ++i) {
        MaskedField* lat = mskLat[static_cast<size_t>(i)];
        MaskedField* lon = mskLong[static_cast<size_t>(i)];
        lat->SetKeyRewrite([this, i](QChar c) {
            mskLat_KeyPress(i, c);
            return c;
        });
        lon->SetKeyRewrite([this, i](QChar c) {
            mskLong_KeyPress(i, c);
            return c;
        });
        lat->SetCommitHook([this, i](MaskedField&) {
            bool cancel = false;
            mskLat_Validate(i, cancel);
        });
        lon->SetCommitHook([this, i](MaskedField&) {
            bool cancel = false;
            mskLong_Validate(i, cancel);
        });
        const bool limits = i == kLimitsFieldIndex;
        lat->setToolTip(limits ? "Enter max. lat. you don't want to exceed" : kLatitudeTip);
        lon->setToolTip(limits ? "Enter long. interval between 2 waypoints" : kLongitudeTip);
    }
    mskCourse1->setToolTip("Enter degrees [°] & tenths of degree");
    mskCourse1->SetCommitHook([this](MaskedField&) { mskCourse_LostFocus(); });
}

void UtilitiesPage::dtpDeparture_LostFocus() {
    state_.EtaDepTime = ToDateValue(dtpDeparture->dateTime());
}

void UtilitiesPage::mskCourse_LostFocus() {
    MaskedField* f = mskCourse1;
    if (f->IsEmptyEntry()) {
        state_.UtilEntered[10] = false;
        TestCompute(0);
        return;
    }
    const FieldVerdict v = CheckCourseText(f->MaskedText().toStdString(), shared_.DecSep);
    if (!v.Accepted) {
        f->Reject(QString::fromStdString(v.Message),
                  MaskedField::RejectMode::ReplaceLastWithPrompt);
        return;
    }
    f->SetBackColor(kValidGreen);
    f->ShowCommitted(QString::fromStdString(FormatNumber(v.Value, "000°.0", shared_.DecSep)));
    state_.RLCourse = v.Value;
    state_.UtilEntered[10] = true;
    TestCompute(0);
}

void UtilitiesPage::mskLat_KeyPress(int index, QChar& key) {
    Q_UNUSED(index);
    key = QChar(static_cast<char16_t>(LatitudeKey(key.unicode())));
}

void UtilitiesPage::mskLong_KeyPress(int index, QChar& key) {
    Q_UNUSED(index);
    key = QChar(static_cast<char16_t>(LongitudeKey(key.unicode())));
}

void UtilitiesPage::mskLat_Validate(int index, bool& cancel) {
    if (index < 0 || index > kLimitsFieldIndex) return;
    MaskedField* f = mskLat[static_cast<size_t>(index)];
    if (f->IsEmptyEntry()) {
        state_.UtilEntered[static_cast<size_t>(2 * index)] = false;
        TestCompute(0);
        return;
    }
    const FieldVerdict v = CheckLatitudeText(index, f->MaskedText().toStdString(), shared_.DecSep);
    if (!v.Accepted) {
        cancel = true;
        f->Reject(QString::fromStdString(v.Message), MaskedField::RejectMode::KeepText);
        return;
    }
    // A typed field shows the latitude as stored; the limit, whole minutes.
    const QString shown = QString::fromStdString(FormatLatitude(v.Value, shared_.DecSep));
    f->ShowCommitted(index == kLimitsFieldIndex ? shown.left(6) : shown);
    shared_.Lat(index + 1) = v.Value;
    state_.UtilEntered[static_cast<size_t>(2 * index)] = true;
    TestCompute(0);
    f->SetBackColor(kValidGreen);
}

void UtilitiesPage::mskLong_Validate(int index, bool& cancel) {
    if (index < 0 || index > kLimitsFieldIndex) return;
    MaskedField* f = mskLong[static_cast<size_t>(index)];
    if (f->IsEmptyEntry()) {
        state_.UtilEntered[static_cast<size_t>(2 * index + 1)] = false;
        TestCompute(0);
        return;
    }
    const FieldVerdict v = CheckLongitudeText(index, f->MaskedText().toStdString(), shared_.DecSep);
    if (!v.Accepted) {
        cancel = true;
        f->Reject(QString::fromStdString(v.Message), MaskedField::RejectMode::KeepText);
        return;
    }
    // The waypoint interval shows its degrees and tens of minutes.
    const QString shown = QString::fromStdString(FormatLongitude(v.Value, shared_.DecSep));
    f->ShowCommitted(index == kLimitsFieldIndex ? shown.mid(1, 6) : shown);
    shared_.Long(index + 1) = v.Value;
    state_.UtilEntered[static_cast<size_t>(2 * index + 1)] = true;
    TestCompute(0);
    f->SetBackColor(kValidGreen);
}

}  // namespace orvex
