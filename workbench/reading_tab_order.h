// The keyboard walk of the main window's tab sets (and, through
// platform/date_time_picker.h, of its pickers).
#pragma once

#include "platform/date_time_picker.h"

class QTabWidget;

namespace orvex {

// Keeps Tab in the reading order of `tabs`: each time a tab's page shows,
// its controls that Tab reaches follow the tab row from top to bottom and,
// within a line, from left to right; Tab on the last one goes back to the
// tab row and Shift+Tab on the tab row to the last one, so the walk stays
// on the page (the start screen's pictures lie under it). Controls inside another control (a grid's
// in-cell editors) are left to that control.
void KeepReadingTabOrder(QTabWidget* tabs);

}  // namespace orvex
