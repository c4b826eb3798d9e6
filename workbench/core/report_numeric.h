// The numeric report of a star fix as texts: what goes into each of the 33
// placeholder marks of the report template (NumResults.rtf), in document
// order, with the formatting each piece takes, and the closing line. The
// window pours these into its rich-text box (FrmWorking::WriteNumericReport);
// nothing here touches a widget.
//
// Texts are UTF-8. Numbers use the user's decimal separator; dates read
// "d mmm yyyy hh:mm:ss" with the user's month names. A line break is "\r\n"
// (a new paragraph with the same paragraph format). Angles of the fix are
// degrees, the ellipse, circle and deviations are shown in minutes of arc
// (= nautical miles of latitude).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "navlib/arrays.h"
#include "navlib/earth_model.h"
#include "navlib/number_format.h"
#include "navlib/star_fix_types.h"
#include "workbench/core/report_details.h"

namespace orvex {

// Changes of format applied before a piece of text (or to the selected
// mark); unset members leave the format as it is.
struct ReportFormat {
    std::optional<std::string> fontName;
    std::optional<double> fontSize;  // points
    std::optional<bool> bold, italic, underline;
    std::optional<unsigned> colour;   // 0xRRGGBB
    std::optional<int> bulletIndent;  // twips, the box's bullet indent
    std::optional<bool> bullet;       // the paragraph becomes a bulleted one
    bool centre = false;              // the paragraph is centred
};

struct ReportPiece {
    ReportFormat format;
    std::string text;
};

// One placeholder: `beforeSelect` is applied at the insertion point just
// before the mark is selected, `onMark` to the selected mark, then the
// pieces replace the mark one after the other.
struct ReportSlot {
    ReportFormat beforeSelect;
    ReportFormat onMark;
    std::vector<ReportPiece> pieces;
    // All the pieces' text, in order.
    std::string Text() const;
};

inline constexpr int kReportSlotCount = 33;
inline constexpr unsigned kReportBlue = 0x0000FF;
inline constexpr unsigned kReportBlack = 0x000000;

// Everything the report shows besides the observation set and the fix.
struct NumericReportInputs {
    SightDetailInputs sight;                     // estimated position, times, conditions, OneEstPos
    double CourseInput = 0.0, SpeedInput = 0.0;  // as entered, degrees and knots
    double Proba = 0.95;
    bool FullRoutine = true;
    bool FindSystErr = false;  // the systematic-error box is ticked
    std::string DecSep = ".";
    DateNames Dates;  // the user's month names
    // Lines of the printer's page in Arial 12 pt (the details then start on
    // a new printed page); 0 when no printer is installed.
    int pageLines = 0;
};

struct NumericReport {
    std::vector<ReportSlot> fills;  // kReportSlotCount, in template order
    ReportSlot closing;             // written after the last slot
    int lineEstimate = 0;           // report lines counted before "Details:"
};

// Shown in place of a figure the fix cannot give.
inline constexpr const char* kNotAvailable = "—";

// Whether the fix carries an estimate of its precision: only with more
// sights than unknowns, none of them spent on a systematic error (two sights
// fix the position exactly, and the solver leaves the deviations, ellipse
// and circle at 0, which says nothing).
bool PrecisionEstimated(const FixResult& fix, int obsCount);

// The east half axis of the fix's ellipse in nautical miles (the fix holds
// it in degrees of longitude).
double EllipseEastMiles(const FixResult& fix);

// Builds the report of `fix` from the sights as the solver left them and the
// per-sight figures the fix kept for the details (ComputeSightDetails).
// Nothing is recomputed here.
NumericReport BuildNumericReport(const NumericReportInputs& in, const FixResult& fix,
                                 const ObservationSet& obs, const SightDetails& details);

// The mode of a fix in words, for the line on the observer's motion: the
// first reason that applies of user preference, number of sights, number of
// good sights and time spread (the spread of the sights' own times).
enum class TruncationReason { None, UserPreference, FewSights, FewGoodSights, TimeSpread };
TruncationReason ReasonForTruncation(int unknownCount, bool fullRoutine, int obsCount,
                                     int goodObsCount);

}  // namespace orvex
