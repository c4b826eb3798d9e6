// The intercepts' tab of the preferences page: the star-fix options' check
// boxes, and the second copy of "one estimated position" on the input page
// kept in step with the first.
#include <QCheckBox>
#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "workbench/field_layout.h"
#include "workbench/options_page.h"

namespace orvex {

void OptionsPage::BuildInterceptOptions(bool fullRoutine, QCheckBox* inputPageOneEstPos) {
    ch3OneEstPos1_ = inputPageOneEstPos;
    QWidget* optArea = widget(1)->findChild<QWidget*>("tabOptions_1_fields");
    QVBoxLayout* opt = ClearFieldArea(optArea);
    QGroupBox* fraOpt = FieldFrame(" Star fix ", "fraStarFixOptions", optArea);
    auto* optBox = new QVBoxLayout(fraOpt);
    ch3FullRoutine = new QCheckBox("Correct the course and speed if enough observations.", fraOpt);
    ch3FullRoutine->setObjectName("ch3FullRoutine");
    ch3FullRoutine->setChecked(fullRoutine);
    ch3OneEstPos0 = new QCheckBox("Compute all intercepts with one estimated position.", fraOpt);
    ch3OneEstPos0->setObjectName("ch3OneEstPos_0");
    ch3FindSystErr = new QCheckBox(
        "Find the systematic error of the altitudes (index and personal error).", fraOpt);
    ch3FindSystErr->setObjectName("ch3FindSystErr");
    for (QCheckBox* c : {ch3FullRoutine, ch3OneEstPos0, ch3FindSystErr}) optBox->addWidget(c);
    opt->addWidget(fraOpt);
    opt->addStretch(1);
    connect(ch3FullRoutine, &QCheckBox::clicked, this, [this] { ch3FullRoutine_Click(); });
    connect(ch3OneEstPos0, &QCheckBox::clicked, this, [this] { ch3OneEstPos_Click(0); });
    if (ch3OneEstPos1_)
        connect(ch3OneEstPos1_, &QCheckBox::clicked, this, [this] { ch3OneEstPos_Click(1); });
}

void OptionsPage::ch3FullRoutine_Click() {
    if (links_.FullRoutineChosen) links_.FullRoutineChosen(ch3FullRoutine->isChecked());
}

void OptionsPage::ch3OneEstPos_Click(int index) {
    if (index < 0 || index > 1 || !ch3OneEstPos1_) return;
    // The two boxes (options page and input page) always agree.
    if (index == 0)
        ch3OneEstPos1_->setChecked(ch3OneEstPos0->isChecked());
    else
        ch3OneEstPos0->setChecked(ch3OneEstPos1_->isChecked());
    if (links_.OneEstPosChosen) links_.OneEstPosChosen(ch3OneEstPos0->isChecked());
}

bool OptionsPage::FindSystErrChecked() const {
    return ch3FindSystErr && ch3FindSystErr->isChecked();
}

}  // namespace orvex
