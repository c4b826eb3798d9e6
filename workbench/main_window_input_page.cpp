// The star-fix options' check boxes, the ETA departure picker, the field
// sizes of the utilities' positions and course, and the hooks that tie
// those fields to their handlers.
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/pc_clock.h"
#include "workbench/field_layout.h"
#include "workbench/focus_watch.h"
#include "workbench/main_window.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

namespace {

const QString kPositionTipLat = "Enter degrees [°] minutes ['] & tenths of minute N/+ S/-";
const QString kPositionTipLong = "Enter degrees [°] minutes ['] & tenths of minute E/+ W/-";
const QString kCourseTip = "Enter degrees [°] & tenths of degree";

}  // namespace

void FrmWorking::BuildStarFixInputControls() {
    clockUtcNow = [] {
        PcClock clock;
        bool daylight = false;
        return clock.LocalNowDays() + clock.GetUtcOffset(daylight);
    };

    // ---- Field sizes -------------------------------------------------------
    for (int i = 0; i <= 4; ++i) {
        FitField(mskLat[i], "00°00'.0 N");
        FitField(mskLong[i], "000°00'.0 W");
    }
    FitField(mskCourse[1], "000°.0");

    // ---- Options page: the star-fix options ----------------------------------
    QWidget* optArea = tabOptions->widget(1)->findChild<QWidget*>("tabOptions_1_fields");
    QVBoxLayout* opt = ClearFieldArea(optArea);
    QGroupBox* fraOpt = FieldFrame(" Star fix ", "fraStarFixOptions", optArea);
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
    dtpTime[2] = MakeUtPicker("dtpTime_2", etaArea);
    if (auto* g = qobject_cast<QGridLayout*>(etaArea->layout())) {
        const int row = g->rowCount();
        g->addWidget(FieldLabel("Departure time :", etaArea), row, 0);
        g->addWidget(dtpTime[2], row, 1);
    }

    HookStarFixInputFields();
}

void FrmWorking::HookStarFixInputFields() {
    // The ETA picker commits when it is left.
    new FocusWatch(dtpTime[2], [this] { dtpTime_LostFocus(2); });

    // Position fields of the utilities.
    for (int i = 0; i <= 4; ++i) {
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
    mskCourse[1]->setToolTip(kCourseTip);
    mskCourse[1]->SetCommitHook([this](MaskedField&) { mskCourse_LostFocus(1); });
}

}  // namespace orvex
