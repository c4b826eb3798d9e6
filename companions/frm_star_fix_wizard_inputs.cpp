// The star-fix wizard's step 1: the date of the observations, the
// observer's position and the height of the eye, each taken when its field
// is left.
#include <QDateTimeEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "companions/companion_controls.h"
#include "companions/frm_star_fix_wizard.h"
#include "companions/position_entry.h"
#include "navlib/inout_lib.h"
#include "navlib/number_format.h"
#include "navlib/unit_conversions.h"
#include "platform/masked_field.h"
#include "platform/pc_clock.h"
#include "platform/tab_page.h"

namespace orvex {

using namespace companion_ui;

namespace {

const QString kPositionHint[2] = {"Enter degrees [°] minutes ['] & tenths of minute N/+ S/-",
                                  "Enter degrees [°] minutes ['] & tenths of minute E/+ W/-"};

}  // namespace

void FrmStarFixWizard::BuildStep1(QFrame* f) {
    auto* v = new QVBoxLayout(f);
    lblStep[0] = MakeCaption(
        f, "This wizard will help you to select the stars for your observations.", "lblStep_0");
    lblStep[0]->setWordWrap(true);
    v->addWidget(lblStep[0]);
    v->addSpacing(10);

    auto* g = new QGridLayout;
    lblLabels[1] = MakeLabel(f, "Enter the date of observation :", "lblLabels_1");
    dtpTime = MakeUtPicker(f, "dtpTime", "d MMM yyyy");
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
        connect(cmdEraseObsPos[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdEraseObsPos_Click(i); });
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

}  // namespace orvex
