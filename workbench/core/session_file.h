// The star-fix session and the observation file: what Save writes of the
// session, and the session as loading a file of the current layout leaves
// it. The window shows the values in its fields; a value a field refuses is
// put back there (see the star-fix page).
#pragma once

#include "workbench/core/observation_file.h"
#include "workbench/core/star_fix_session.h"

namespace orvex {

// The file of the session's inputs (with their entered flags) and sights.
ObservationFileData ObservationFileOf(const StarFixSession& s);

// The inputs `d` (current layout) holds as entered go into the session and
// are marked entered: the times, Lat(6), Long(6), Course and CourseInput,
// Speed and SpeedInput, HeightEye, InstErr. The conditions are taken when
// their checks accept them, with their views in the other units (TempAirF,
// TempWaterF, PressHg); otherwise they stay as they were. The sights
// replace the table (s.Sights, as its cells show them) and s.Obs (as the
// file holds them) when the file holds any. Nothing else is touched.
void LoadObservationFile(const ObservationFileData& d, StarFixSession& s);

}  // namespace orvex
