// The great-circle report poured into the page's rich-text box.
#pragma once

#include <QString>

#include "sailing/core/great_circle_report.h"

namespace orvex {

class RichTextBox;

inline const QString kPlaceholderMark = QString::fromUtf8(kPlaceholderText);

// Fills the slots of the report (GreatCircleReportSlots) in order. `box`
// must hold the freshly reloaded template with the caret at 0. Answers the
// number of slots filled; a template with fewer placeholders stops the
// filling there.
int FillGreatCircleReport(RichTextBox& box, const GreatCircleInputs& in, const GreatCircleResult& r,
                          const GreatCircleReportContext& ctx);

}  // namespace orvex
