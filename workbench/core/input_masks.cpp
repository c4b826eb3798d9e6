#include "workbench/core/input_masks.h"

namespace orvex {

std::vector<MaskAssignment> StartMasks(const std::string& sep) {
    std::vector<MaskAssignment> m;
    for (int i = 0; i <= 5; ++i) m.push_back({"mskLat", i, "9#°##'" + sep + "# ?"});
    m.push_back({"mskLat", 4, "9#°##'"});
    for (int i = 0; i <= 5; ++i) m.push_back({"mskLong", i, "99#°##'" + sep + "# ?"});
    m.push_back({"mskLong", 4, "9#°#0'"});
    for (int i = 0; i <= 1; ++i) m.push_back({"mskCourse", i, "99#°" + sep + "#"});
    // The correction is signed: its first place takes a sign, a blank or a
    // digit, nothing else.
    for (int i = 0; i <= 1; ++i) m.push_back({"mskInstErr", i, "+9#" + sep + "##"});
    m.push_back({"mskHeightInst", -1, "9#°##'" + sep + "#"});
    m.push_back({"mskSpeed", -1, "###" + sep + "#"});
    m.push_back({"mskHeightF", -1, "###" + sep + "#"});
    m.push_back({"mskHeightM", -1, "##" + sep + "#"});
    m.push_back({"mskPressHg", -1, "##" + sep + "##"});
    m.push_back({"mskDist", -1, "#####" + sep + "##"});
    m.push_back({"mskDTG", -1, "#####" + sep + "##"});
    m.push_back({"mskInterv", -1, "##" + sep + "##"});
    m.push_back({"mskMinSpeed", -1, "###" + sep + "#"});
    m.push_back({"mskMaxSpeed", -1, "###" + sep + "#"});
    // Design masks, unchanged by the locale.
    m.push_back({"mskPress_mBars", -1, "####"});
    for (int i = 0; i <= 1; ++i) m.push_back({"mskTempCelcius", i, "&&#"});
    for (int i = 0; i <= 1; ++i) m.push_back({"mskTempFahr", i, "&&#"});
    return m;
}

std::string BlankLatitudeText(const std::string& sep) {
    return "__°__'" + sep + "_ _";
}
std::string BlankLongitudeText(const std::string& sep) {
    return "___°__'" + sep + "_ _";
}

}  // namespace orvex
