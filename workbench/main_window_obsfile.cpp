// The observation file: save and load of a set of sights with its conditions.
#include "workbench/main_window.h"

namespace orvex {

void FrmWorking::cmdSaveObs_Click() {}
void FrmWorking::cmdLoadObs_Click() {}

}  // namespace orvex
