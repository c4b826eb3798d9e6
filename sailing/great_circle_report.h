// The great-circle report and its summary outline.
//
// The report is the template "CalcWP.rtf" (11 placeholder characters "§")
// filled in document order:
//   1 the Earth model's name, 2-3 departure, 4-5 arrival, 6-7 vertex,
//   8 the vertex sentence, 9 the composite-sailing text (or nothing),
//   10 the totals, 11 the waypoint table (or the no-interval line) and the
//   closing texts (period, courses, the program's name).
// Each slot: move to the next "§", select it, replace it by the slot's first
// text; further texts of the slot follow it. Formatting is set before the
// text it applies to.
//
// The outline has 23 rows, each a text and an indent level; level 0 marks a
// row that does not apply to the shown result (the window hides it).
#pragma once

#include <QString>
#include <array>
#include <string>

#include "sailing/great_circle_sailing.h"

namespace orvex {

class RichTextBox;

inline const QString kPlaceholderMark = QStringLiteral("§");

struct OutlineRow {
    std::string Text;
    int Level = 0;
};
using GreatCircleOutline = std::array<OutlineRow, 23>;

// The 23 rows with their headings, as the great-circle tab shows them
// before a computation.
GreatCircleOutline GreatCircleOutlineHeadings();

struct GreatCircleReportContext {
    std::string EllipsoidName;  // the caption of the chosen-ellipsoid label
    std::string DecSep = ".";
    bool Sphere = false;  // inverse flattening above 1000: "geographical miles"
    std::string ProgramName = "Orvex 1.2";
};

// Fills the slots of the report in order. `box` must hold the freshly
// reloaded template with the caret at 0. Writes slots 1 to 8 only when the
// limiting latitude was refused (result.LimitError). Answers the number of
// slots filled; a template with fewer placeholders stops the filling there.
int FillGreatCircleReport(RichTextBox& box, const GreatCircleInputs& in, const GreatCircleResult& r,
                          const GreatCircleReportContext& ctx);

// Writes the rows a computation changes (rows 3 to 6 after a refused limit).
void UpdateGreatCircleOutline(GreatCircleOutline& rows, const GreatCircleInputs& in,
                              const GreatCircleResult& r, const GreatCircleReportContext& ctx);

// One line of the waypoint table (without its CR LF): latitude, longitude,
// course ("000°.0" or six blanks for 0), leg, distance sailed ("00000.0'" or
// eight blanks for 0) and distance to go ("00000.0'" or nothing for 0).
std::string WaypointLine(const WaypointRow& row, const std::string& decSep);

}  // namespace orvex
