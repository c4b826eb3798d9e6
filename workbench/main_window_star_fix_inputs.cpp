// The star-fix option check boxes, the ETA departure picker, the correction
// command, and the chosen ellipsoid's labels.
#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QTabWidget>

#include "platform/pc_clock.h"
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
    if (index != 2) return;
    state_.EtaDepTime = ToDateValue(dtpTime[2]->dateTime());
}

void FrmWorking::mnuAstroCorrect_Click() {
    // Back to the input tabs with every input as it was.
    CenterControl(tabIn);
    tabIn->setVisible(true);
    tabIn->raise();
}

// ---- Chosen ellipsoid -------------------------------------------------------------------

void FrmWorking::ShowChosenEllipsoid(const QString& name) {
    // The two copies of the label on the rhumb-line and great-circle tabs.
    for (QLabel* l : lblChoosenEllipsoid)
        if (l) l->setText(name);
}

}  // namespace orvex
