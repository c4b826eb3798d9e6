// The Earth model of the utilities page: handed over at each choice in the
// preferences' ellipsoid list, its name shown on the rhumb-line and
// great-circle tabs with the distance unit.
#include <QLabel>

#include "sailing/utilities_layout.h"
#include "sailing/utilities_page.h"

namespace orvex {

using namespace utilities_layout;

void UtilitiesPage::EllipsoidChosen(const EarthChoice& earth) {
    state_.Earth = earth;
    lblDistance1->setText(earth.Model.IsSphere() ? "[ geographical miles ]" : "[ nautical miles ]");
    for (QLabel* l : lblChoosenEllipsoid) l->setText(Q(earth.Name));
    if (!ellipsoidSeen_) {
        ellipsoidSeen_ = true;
        return;
    }
    if (!isHidden() || (links_.PreferencesFromPage && links_.PreferencesFromPage())) TestCompute(0);
}

}  // namespace orvex
