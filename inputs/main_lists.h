// The fixed lists of the main window: the reference ellipsoids, the time
// zones, with the encodings their selection handlers
// read back. Plain data and text work, no widgets.
#pragma once

#include <string>
#include <vector>

#include "navlib/earth_model.h"

namespace orvex {

// One row of the ellipsoid list. The row's text is NamePart + DecSep +
// Decimals, so that its last 16 characters are the inverse flattening with
// three integer digits and twelve decimals; the sphere's row has no
// decimals and its text ends in "- 0". ItemData is (semi-major axis in
// metres - 6 300 000) x 10 000, an exact integer.
struct EllipsoidRow {
    const char* NamePart;
    const char* Decimals;  // empty for the sphere
    int ItemData;
};

// The 20 rows in list order; row 19 (WGS 1984) is chosen at start and
// row 15 is the sphere.
const std::vector<EllipsoidRow>& EllipsoidRows();
inline constexpr int kWgs84EllipsoidRow = 19;
inline constexpr int kSphereEllipsoidRow = 15;

// The text of one row with the given one-character decimal separator.
std::string EllipsoidRowText(const EllipsoidRow& row, const std::string& decSep);

// The Earth model a chosen row stands for, read back from the row's text
// and ItemData as the selection handler does: a text ending in "- 0" is the
// sphere (inverse flattening 1e100); any other text gives the number in its
// last 16 characters, read with decSep as the decimal separator (a point
// when empty) whatever the C library's LC_NUMERIC. The axis is
// (itemData / 10000 + 6300000) / 1852 nautical miles. A text too short or
// not a number leaves the inverse flattening of `previous` (never NaN).
// *isSphere tells which unit label the utilities show.
EarthModel EarthModelFromEllipsoidRow(const std::string& text, int itemData,
                                      const std::string& decSep, const EarthModel& previous,
                                      bool* isSphere = nullptr);

// The Earth model of a row, read from the row's own number as
// EarthModelFromEllipsoidRow reads its text, and the model's name: the
// row's text before " - " ("WGS 1984", "Normal Sphere").
EarthModel EarthModelOf(const EllipsoidRow& row);
std::string EllipsoidNameOf(const EllipsoidRow& row);

// One row of a time-zone list: its label and the offset from UTC in hours
// x 100, east positive.
struct TimeZoneRow {
    const char* Label;
    int ItemData;
};

// The 40 rows from "GMT +14" down to "GMT -12"; row 24 ("GMT") is chosen
// at start.
const std::vector<TimeZoneRow>& TimeZoneRows();
inline constexpr int kGmtTimeZoneRow = 24;

}  // namespace orvex
