// Entries typed into the masked fields of the star-fix wizard and the
// azimuth tool, each field holding an old value and entered by Tab or by a
// click at the left end, middle or right end of its text: the keys of one
// entry make the new value and the field shows what is stored.
#include <gtest/gtest.h>

#include <map>

#include "companion_driver.h"
#include "tests/entry_checks.h"

namespace orvex {
namespace {

constexpr double kMin = 1.0 / 60.0;
const char* const kNoLatHemisphere = "A latitude can only be N (North) or S (South).";
const char* const kNoLongHemisphere = "A longitude can only be W (West) or E (East).";

QString AsIs(const QString& t) {
    return t;
}

// Guards the wizard's position and height of eye.
TEST(CompanionTypedFields, Wizard) {
    PlatformScript script;
    CompanionLinks links;
    links.Clock = std::make_shared<ManualSystemClock>();
    FrmStarFixWizard w(links);
    w.resize(640, 520);
    w.SetTag("FromMain");
    test::Activate(&w);
    const auto stored = [&](const QString& n) {
        const WizardInputs& in = w.Inputs();
        const std::map<QString, double> v = {{"mskLat", in.lat},
                                             {"mskLong", in.lon},
                                             {"mskHeightM", in.heightEye},
                                             {"mskHeightF", in.heightEye / 0.3048}};
        return v.at(n);
    };
    test::CheckFieldEntries(
        &w,
        {{"mskLat", "12°34'.5 N", "41100n", "41°10'.0 N", 41 + 10 * kMin},
         {"mskLat", "12°34'.5 N", "4110", "", 0, kNoLatHemisphere},
         {"mskLong", "012°34'.5 E", "0051230w", "005°12'.3 W", -(5 + 12.3 * kMin)},
         {"mskLong", "012°34'.5 E", "512", "", 0, kNoLongHemisphere},
         {"mskHeightM", "14.0", "2", "02.0", 2},
         {"mskHeightM", "14.0", "12.5", "12.5", 12.5},
         {"mskHeightF", "045.9", "8", "008.0", 8},
         {"mskHeightF", "045.9", "328", "328.0", 328}},
        stored, script, AsIs);
}

// Guards the azimuth tool's position, directions and variation.
TEST(CompanionTypedFields, AzimuthTool) {
    PlatformScript script;
    CompanionLinks links;
    links.Clock = std::make_shared<ManualSystemClock>();
    FrmAzimuth t(links);
    test::Activate(&t);
    const auto stored = [&](const QString& n) {
        const AzimuthInputs& in = t.Inputs();
        const std::map<QString, double> v = {{"mskLat", in.lat},
                                             {"mskLong", in.lon},
                                             {"mskCourse_0", in.direction[0]},
                                             {"mskCourse_1", in.direction[1]},
                                             {"mskCourse_2", in.direction[2]},
                                             {"mskVariation", std::fabs(in.variation)}};
        return v.at(n);
    };
    test::CheckFieldEntries(
        &t,
        {{"mskLat", "12°34'.5 N", "41100n", "41°10'.0 N", 41 + 10 * kMin},
         {"mskLat", "12°34'.5 N", "4110", "", 0, kNoLatHemisphere},
         {"mskLong", "012°34'.5 E", "0051230w", "005°12'.3 W", -(5 + 12.3 * kMin)},
         {"mskLong", "012°34'.5 E", "512", "", 0, kNoLongHemisphere},
         {"mskCourse_0", "235°.0", "45", "045°.0", 45},
         {"mskCourse_0", "235°.0", "1234", "123°.4", 123.4},
         {"mskCourse_1", "235°.0", "7", "007°.0", 7},
         {"mskCourse_2", "235°.0", "3599", "359°.9", 359.9},
         {"mskVariation", "003°.0", "5", "005°.0", 5},
         {"mskVariation", "003°.0", "0125", "012°.5", 12.5}},
        stored, script, AsIs);
}

}  // namespace
}  // namespace orvex
