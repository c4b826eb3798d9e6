// Everything the main window holds for the life of the process: the
// star-fix session (options the fix reads, position slots, Earth model,
// inputs, sights, fix result), the utilities page's session, and around
// them the locale, the other options and the view state of the pages. One object, owned by the
// main window and handed by reference to the windows and dialogs that read
// or write it. Nothing here is persisted between runs.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "charts/core/chart_data.h"
#include "navlib/arrays.h"
#include "navlib/earth_model.h"
#include "navlib/number_format.h"
#include "navlib/star_fix_types.h"
#include "sailing/core/utilities_session.h"
#include "workbench/core/star_fix_session.h"

namespace orvex {

struct WorkbenchState : StarFixSession {
    // --- Locale and program folder -------------------------------------
    // The decimal separator of the user's locale: exactly one character
    // (a blank when the locale gives none). Every mask and shown number
    // uses it.
    std::string DecSep = ".";
    // The month and weekday names of the user's locale, for shown dates.
    DateNames Dates;
    // The program folder, without a trailing separator.
    std::string AppPath;
    // The program's version as shown by the splash ("1.21").
    std::string VersionText;
    // The observation file named on the command line, cleaned; emptied by
    // the first load that uses it.
    std::string CommandLineFile;

    // --- Options ----------------------------------------------------------
    // (Proba, FullRoutine and OneEstPos are the session's; RLShown and
    // EtaRound the utilities'.)
    bool WizardOpen = false;

    // --- Bodies -----------------------------------------------------------
    // The 66 body names in ascending character-code order; BodyList is the
    // copy the grid searches by binary search.
    std::vector<std::string> BodyNames;
    std::vector<std::string> BodyList;

    // A UT time (days) captured by the time-store dialog; 0 when none.
    double TimeStored = 0.0;

    // --- Chart view -------------------------------------------------------
    double LopLength = 5.0;
    double ChartScale = 0.1;

    // --- Chart and printing --------------------------------------------------
    // Segments of the lines of position, extents of the chart and its
    // longitude form, as the last chart drawing left them.
    ChartState Chart;
    // The printer choice's answer: true after "Print", false after "Cancel".
    bool PrintConfirmed = false;

    // --- Sailing utilities --------------------------------------------------
    UtilitiesSession Utilities;
    // The slots and separator the utilities page shares (its Earth model is
    // handed to it at each choice in the preferences' list).
    UtilitiesShared SharedWithUtilities() { return {Lat, Long, DecSep}; }
};

}  // namespace orvex
