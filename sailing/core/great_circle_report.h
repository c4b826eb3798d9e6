// The great-circle report and its summary outline.
//
// The report is the template "CalcWP.rtf" (11 placeholder characters "§")
// filled in document order; here are its texts and formats, the page pours
// them into its rich-text box (great_circle_report_box.h). Nothing here
// touches a widget. Texts are UTF-8, a line break is "\r\n".
//   1 the Earth model's name, 2-3 departure, 4-5 arrival, 6-7 vertex,
//   8 the vertex sentence, 9 the composite-sailing text (or nothing),
//   10 the totals, 11 the waypoint table (or the no-interval line) and the
//   closing texts (period, courses, the program's name).
// Each slot: move to the next "§", select it, replace it by the slot's first
// piece; further pieces of the slot follow it. A piece's format is set just
// before its text.
//
// The outline has 23 rows, each a text and an indent level; level 0 marks a
// row that does not apply to the shown result (the window hides it).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "program_version.h"
#include "sailing/core/great_circle_sailing.h"

namespace orvex {

// The placeholder character of the template (UTF-8).
inline constexpr const char* kPlaceholderText = "§";
// The marks a template must hold: one per slot of a full report.
inline constexpr int kGreatCircleSlotCount = 11;

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
    std::string ProgramName = kProgramNameVersion;
};

// Changes of format applied before a piece of text; unset members leave
// the format as it is.
struct GreatCircleFormat {
    std::optional<std::string> fontName;
    std::optional<double> fontSize;  // points
    std::optional<bool> bold, italic, underline;
    std::optional<unsigned> colour;   // 0xRRGGBB
    std::optional<int> bulletIndent;  // twips
    std::optional<bool> bullet;       // the paragraph becomes a bulleted one
    bool centre = false;              // the paragraph is centred
};

struct GreatCirclePiece {
    GreatCircleFormat format;
    std::string text;
};

// One placeholder: the pieces replace the selected mark one after the other.
using GreatCircleSlot = std::vector<GreatCirclePiece>;

inline constexpr unsigned kWaypointBlack = 0x000000;
inline constexpr unsigned kWaypointBlue = 0x0000FF;

// The slots of the report in order: 11, or slots 1 to 8 only when the
// limiting latitude was refused (result.LimitError).
std::vector<GreatCircleSlot> GreatCircleReportSlots(const GreatCircleInputs& in,
                                                    const GreatCircleResult& r,
                                                    const GreatCircleReportContext& ctx);

// Writes the rows a computation changes (rows 3 to 6 after a refused limit).
void UpdateGreatCircleOutline(GreatCircleOutline& rows, const GreatCircleInputs& in,
                              const GreatCircleResult& r, const GreatCircleReportContext& ctx);

// One line of the waypoint table (without its CR LF): latitude, longitude,
// course ("000°.0" or six blanks for 0), leg, distance sailed ("00000.0'" or
// eight blanks for 0) and distance to go ("00000.0'" or nothing for 0).
std::string WaypointLine(const WaypointRow& row, const std::string& decSep);

}  // namespace orvex
