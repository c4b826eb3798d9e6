// The Earth model of the utilities page: it follows the preferences'
// ellipsoid list, whose chosen name the rhumb-line and great-circle tabs
// show with the distance unit.
#include <QLabel>

#include "inputs/main_lists.h"
#include "sailing/utilities_page.h"

namespace orvex {

void UtilitiesPage::EllipsoidChosen() {
    if (!TakeEllipsoidChoice()) return;
    if (!ellipsoidSeen_) {
        ellipsoidSeen_ = true;
        return;
    }
    if (!isHidden() || (links_.PreferencesFromPage && links_.PreferencesFromPage()))
        RecomputeAfterEntry();
}

bool UtilitiesPage::TakeEllipsoidChoice() {
    const QString row = links_.ChosenEllipsoidRow ? links_.ChosenEllipsoidRow() : QString();
    if (row.isEmpty()) return false;
    bool sphere = false;
    const int data = links_.ChosenEllipsoidData ? links_.ChosenEllipsoidData() : 0;
    shared_.E =
        EarthModelFromEllipsoidRow(row.toStdString(), data, shared_.DecSep, shared_.E, &sphere);
    lblDistance1->setText(sphere ? "[ geographical miles ]" : "[ nautical miles ]");
    // The name before the first "-", with its trailing blank.
    const QString name = row.section('-', 0, 0);
    for (QLabel* l : lblChoosenEllipsoid)
        if (l) l->setText(name);
    return true;
}

}  // namespace orvex
