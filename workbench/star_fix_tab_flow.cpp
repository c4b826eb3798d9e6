// The walk through the input page's three tabs: the Next and Previous
// buttons, and the checks made when a tab is entered (the default times
// offered for keeping, the inputs of the other tabs required).
#include <QDateTimeEdit>

#include "platform/masked_field.h"
#include "platform/message_box.h"
#include "platform/pc_clock.h"
#include "workbench/core/star_fix_session.h"
#include "workbench/observation_grid.h"
#include "workbench/star_fix_input_page.h"

namespace orvex {

void StarFixInputPage::ShowTab(int index) {
    changingTabByCode_ = true;
    setCurrentIndex(index);
    changingTabByCode_ = false;
}

void StarFixInputPage::cmdNextTabIn_Click() {
    if (currentIndex() < count() - 1) {
        ShowTab(currentIndex() + 1);
        tabIn_GotFocus();
    }
}

void StarFixInputPage::cmdPrevTabIn_Click() {
    if (currentIndex() >= 1) {
        ShowTab(currentIndex() - 1);
        tabIn_GotFocus();
    }
}

QWidget* StarFixInputPage::EntryControl() {
    return currentIndex() == 2 && grdObs->isVisible() && grdObs->isEnabled()
               ? static_cast<QWidget*>(grdObs)
               : this;
}

void StarFixInputPage::tabIn_GotFocus() {
    const auto& f = state_.FixEntered;
    const int tab = currentIndex();
    if (tab == 0) {
        dtpTime[0]->setFocus();
        return;
    }
    if (!f[1] || !f[4]) {
        const QString second = tab == 1 ? "and/or the time of the true position."
                                        : "and the time of the true position.";
        const int answer =
            ShowMessage(kIconQuestion + kButtonsYesNo, QString("Data's not validated"),
                        "You used the default values for the time of the estimated "
                        "position\r\n" +
                            second + "\r\nDo you want to keep these default values ?",
                        this);
        if (answer == kAnswerYes) {
            // The times kept are those the two pickers show, taken as
            // leaving them would take them.
            const double shown[2] = {ToDateValue(dtpTime[0]->dateTime()),
                                     ToDateValue(dtpTime[1]->dateTime())};
            state_.TimeEstPos = shown[0];
            state_.TimeTruePos = shown[1];
            state_.FixEntered[1] = state_.FixEntered[4] = true;
        } else {
            ShowTab(0);
        }
    }
    // Sent back to the first tab, the navigator goes on in its first field,
    // never in a field of the tab that was left.
    const bool sentBack = currentIndex() == 0;
    bool complete = f[2] && f[3] && f[5] && f[6];
    if (tab == 2) complete = complete && f[7] && f[8];
    if (!complete) {
        ShowMessage(kIconExclamation + kButtonsOk, QString("Missing data"),
                    QString("Some data on the other tabs are missing.\r\n"
                            "Please check that the whole input form is completed."),
                    this);
        // No field takes the keys: the tab row does, never a button of
        // the tab that a Space would press.
        if (sentBack)
            dtpTime[0]->setFocus(Qt::OtherFocusReason);
        else
            setFocus(Qt::OtherFocusReason);
        return;
    }
    if (tab == 2 && links_.SetAstroMenuForInput) links_.SetAstroMenuForInput();
    if (sentBack)
        dtpTime[0]->setFocus(Qt::OtherFocusReason);
    else if (tab == 1)
        mskHeightM->setFocus();
    else
        grdObs->setFocus(Qt::OtherFocusReason);
}

}  // namespace orvex
