// The star-fix wizard's step 3: the bright, well-spread stars proposed for
// the chosen twilight, in a list the navigator selects from.
#include <QDateTimeEdit>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "companions/companion_controls.h"
#include "companions/frm_star_fix_wizard.h"
#include "navlib/number_format.h"
#include "platform/pc_clock.h"
#include "platform/tab_page.h"

namespace orvex {

using namespace companion_ui;

void FrmStarFixWizard::BuildStep3(QFrame* f) {
    auto* v = new QVBoxLayout(f);
    lblStep[2] = MakeCaption(f, "", "lblStep_2");
    lblStep[2]->setWordWrap(true);
    v->addWidget(lblStep[2]);
    v->addWidget(MakeLabel(f, "Altitudes are sextant alt."));
    lstStars = new QListWidget(f);
    lstStars->setObjectName("lstStars");
    lstStars->setSelectionMode(QAbstractItemView::MultiSelection);
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    lstStars->setFont(mono);
    v->addWidget(lstStars, 1);
    cmdStarsGraph = MakeButton(f, "", "cmdStarsGraph");
    cmdStarsGraph->setVisible(false);  // carries no action
}

bool FrmStarFixWizard::StepCandidates() {
    if (wizLastCandidate_ == 0) {
        wizTimeIndex_ = optTime[0]->isChecked() ? 0 : 7;
        ShowObsTimeOfChoice();  // a choice the click handler did not see
        obsTimeTyped_ = ChosenTwilightMissing();
        wizObsTime_ = obsTimeTyped_ ? ToDateValue(dtpObsTime->dateTime().toUTC())
                                    : sunTimes_[static_cast<std::size_t>(wizTimeIndex_)];
        const double t = wizObsTime_;
        lstStars->clear();
        lstStars->setVisible(false);
        lblStep[2]->setText("Select the stars you want to observe from " +
                            Q(FormatDateTime(t, "d mmm yyyy hh:mm")) + ".");
        cand_ = ChooseStars(t, inputs_.lat, inputs_.lon, inputs_.heightEye);
        wizLastCandidate_ = cand_.Count() - 1;
        for (int i = 0; i < cand_.Count(); ++i) {
            auto* item = new QListWidgetItem(Q(CandidateItemText(cand_, i, links_.DecSep)));
            lstStars->addItem(item);
            item->setSelected(cand_.CandSelected[static_cast<std::size_t>(i)]);
        }
        lstStars->setVisible(true);
    }
    wizEndEnabled_ = false;
    return true;
}

bool FrmStarFixWizard::IsSelectedItem(int i) const {
    const QListWidgetItem* item = lstStars->item(i);
    return item && item->isSelected();
}

}  // namespace orvex
