// The hour angle at an altitude and the visible-horizon altitude of the Sun.
#include "navlib/twilight.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navlib/hooks.h"

namespace orvex {
namespace {

TEST(HourAngleFromAltitude, KnownValues) {
    RecordingReporter rec;
    EXPECT_NEAR(HourAngleFromAltitude(0, 0, 0), 90.0, 1e-9);
    EXPECT_NEAR(HourAngleFromAltitude(0, 45, 23.44), 115.7, 0.05);
    // Mirror: the southern observer with the body south sees the same.
    EXPECT_NEAR(HourAngleFromAltitude(-9, -45, -23.44), HourAngleFromAltitude(-9, 45, 23.44),
                1e-12);
    EXPECT_TRUE(rec.messages.empty());
}

// The Sun that never goes down to -9 degrees (65 N, declination 23 N): the
// arccosine box, and the search starts at midnight (hour angle 180).
TEST(HourAngleFromAltitude, TargetNeverReached) {
    RecordingReporter rec;
    EXPECT_EQ(HourAngleFromAltitude(-9, 65, 23), 180.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].title, " Error in Arc Cosinus routine");
    // A body that never climbs to the altitude gives 0.
    EXPECT_EQ(HourAngleFromAltitude(60, 50, -20), 0.0);
    // The same cases asked beforehand, without a message.
    rec.messages.clear();
    EXPECT_FALSE(AltitudeReached(-9, 65, 23));
    EXPECT_FALSE(AltitudeReached(60, 50, -20));
    EXPECT_TRUE(AltitudeReached(-9, 45, 23.44));
    EXPECT_TRUE(rec.messages.empty());
}

TEST(VisibleSunriseAltitude, SeaLevelAndHeightOfEye) {
    // Refraction 34.457' at the horizon, parallax 0.0024, semi-diameter 0.2666.
    EXPECT_NEAR(VisibleSunriseAltitude(0, 1.0), -0.838, 0.0005);
    const double dip = 0.029283 * std::sqrt(16.0);
    const double a16 = VisibleSunriseAltitude(16, 1.0);
    EXPECT_LT(a16, VisibleSunriseAltitude(0, 1.0) - dip);  // more refraction lower down
    EXPECT_GT(a16, VisibleSunriseAltitude(0, 1.0) - dip - 0.05);
    // Farther Sun, smaller disc: the centre stands higher.
    EXPECT_GT(VisibleSunriseAltitude(0, 1.0167), VisibleSunriseAltitude(0, 0.9833));
}

}  // namespace
}  // namespace orvex
