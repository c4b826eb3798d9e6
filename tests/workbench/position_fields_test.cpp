// The latitude and longitude fields of the star-fix input and of the
// utilities page, typed and left as a navigator does, with "." and ",".
#include <gtest/gtest.h>

#include "input_fields_support.h"

namespace orvex {
namespace {

class PositionFields : public ::testing::TestWithParam<std::string> {
  protected:
    test::InputWindow in{GetParam()};
    FrmWorking& w = *in.w;
    WorkbenchState& s = w.State();

    // A position field of the utilities page.
    MaskedField* Util(const char* name) { return test::UtilitiesControl<MaskedField>(w, name); }
};

INSTANTIATE_TEST_SUITE_P(Separators, PositionFields, ::testing::Values(".", ","));

// Guards the estimated position: the hemisphere typed as a sign, the value
// and flag of a valid entry, the green colour, and the utilities untouched.
TEST_P(PositionFields, EstimatedPositionWithSigns) {
    MaskedField* lat = test::InputNamed(w, "mskLat_5");
    MaskedField* lon = test::InputNamed(w, "mskLong_5");
    in.Type(lat, "12345-");
    EXPECT_EQ(lat->MaskedText(), in.S("12°34'.5 S"));
    in.Leave(lon);
    EXPECT_NEAR(s.Lat(6), -(12 + 34.5 / 60), 1e-12);
    EXPECT_TRUE(s.FixEntered[2]);
    EXPECT_EQ(lat->BackColor(), kValidGreen);
    in.Type(lon, "123456+");
    EXPECT_EQ(lon->MaskedText(), in.S("123°45'.6 E"));
    in.Leave(lat);
    EXPECT_NEAR(s.Long(6), 123.76, 1e-12);
    EXPECT_TRUE(s.FixEntered[3]);
    in.Type(lat, "00000n");
    in.Leave(lon);
    EXPECT_EQ(lat->MaskedText(), in.S("00°00'.0 N"));
    in.Type(lon, "180000w");
    in.Leave(lat);
    EXPECT_EQ(s.Long(6), -180.0);
    in.Type(lat, "90000s");
    in.Leave(lon);
    EXPECT_EQ(s.Lat(6), -90.0);
    EXPECT_TRUE(in.script.messages.empty());
    EXPECT_EQ(s.Utilities.UtilEntered, (std::array<bool, 12>{}));
}

// Guards the refusals of the estimated position: each message, the text
// kept as typed, the focus kept until the text is corrected, the slot
// and its flag keeping the last accepted value (the driver checks a refused
// text again).
TEST_P(PositionFields, EstimatedPositionRefusals) {
    MaskedField* lat = test::InputNamed(w, "mskLat_5");
    MaskedField* lon = test::InputNamed(w, "mskLong_5");
    in.Type(lat, "10000n");
    in.Leave(lon);
    ASSERT_EQ(s.Lat(6), 10.0);

    in.Type(lat, "90001n");
    in.Leave(lon);
    in.ExpectRefusal("Latitude > 90°.");
    EXPECT_TRUE(lat->hasFocus());
    EXPECT_EQ(lat->MaskedText(), in.S("90°00'.1 N"));
    EXPECT_NE(lat->BackColor(), kValidGreen);
    EXPECT_EQ(s.Lat(6), 10.0);
    EXPECT_TRUE(s.FixEntered[2]);
    in.Leave(lon);  // still refused: the focus stays
    in.ExpectRefusal("Latitude > 90°.");
    EXPECT_TRUE(lat->hasFocus());

    in.Type(lat, "12600n");
    in.Leave(lon);
    in.ExpectRefusal("The latitude has more than 59'.");
    in.Type(lat, "12000e");
    in.Leave(lon);
    in.ExpectRefusal("A latitude can only be N (North) or S (South).");
    EXPECT_EQ(lat->MaskedText(), in.S("12°00'.0 e"));
    in.Type(lat, "12000s");
    in.Leave(lon);
    EXPECT_TRUE(lon->hasFocus());
    EXPECT_EQ(s.Lat(6), -12.0);
    EXPECT_TRUE(s.FixEntered[2]);

    in.Type(lon, "180001e");
    in.Leave(lat);
    in.ExpectRefusal("Longitude > 180°.");
    EXPECT_TRUE(lon->hasFocus());
    EXPECT_FALSE(s.FixEntered[3]);  // never accepted
    in.Type(lon, "010600e");
    in.Leave(lat);
    in.ExpectRefusal("The longitude has more than 59'.");
    in.Type(lon, "010000n");
    in.Leave(lat);
    in.ExpectRefusal("A longitude can only be W (West) or E (East).");
    EXPECT_EQ(lon->MaskedText(), in.S("010°00'.0 n"));
    EXPECT_EQ(s.Long(6), 0.0);  // never accepted: the reset's 0 stays
}

// Guards an emptied estimated position: nothing changes (flag, slot and
// colour stay), unlike a utilities field.
TEST_P(PositionFields, EmptyEstimatedPositionChangesNothing) {
    MaskedField* lat = test::InputNamed(w, "mskLat_5");
    in.Type(lat, "45000n");
    in.Leave(test::InputNamed(w, "mskLong_5"));
    in.Type(lat, "");
    in.Leave(test::InputNamed(w, "mskLong_5"));
    EXPECT_EQ(s.Lat(6), 45.0);
    EXPECT_TRUE(s.FixEntered[2]);
    EXPECT_EQ(s.Utilities.UtilEntered, (std::array<bool, 12>{}));
    EXPECT_TRUE(in.script.messages.empty());
}

// Guards the utilities' positions: each field its own slot and flag; an
// accepted entry that completes a problem is computed at once, an emptied
// one takes the page back to "not able to compute", a refused one computes
// nothing.
TEST_P(PositionFields, UtilitiesSlotsFlagsAndRecompute) {
    w.Action("mnuUtilRL")->trigger();
    QWidget* stop = test::UtilitiesControl(w, "imgStopCompute");
    in.Type(Util("mskCourse_1"), "1800");
    in.Type(Util("mskLat_0"), "45300n");
    in.Leave(Util("mskLong_0"));
    EXPECT_NEAR(s.Lat(1), 45.5, 1e-12);
    EXPECT_TRUE(s.Utilities.UtilEntered[0]);
    in.Type(Util("mskLong_0"), "005305w");
    in.Leave(Util("mskLat_1"));
    EXPECT_NEAR(s.Long(1), -(5 + 30.5 / 60), 1e-12);
    EXPECT_TRUE(s.Utilities.UtilEntered[1]);
    in.Type(Util("mskLat_1"), "12600n");
    in.Leave(Util("mskLong_1"));
    in.ExpectRefusal("The latitude has more than 59'.");
    EXPECT_FALSE(s.Utilities.UtilEntered[2]);
    EXPECT_TRUE(stop->isVisible());  // the refusal computed nothing
    in.Type(Util("mskLat_1"), "10000n");
    in.Leave(Util("mskLat_0"));
    EXPECT_TRUE(s.Utilities.UtilEntered[2]);
    EXPECT_FALSE(stop->isVisible());  // computed at once
    EXPECT_EQ(Util("mskLong_1")->BackColor(), kComputedYellow);
    in.Type(Util("mskLat_1"), "");  // emptied: flag down, recomputed
    in.Leave(Util("mskLat_0"));
    EXPECT_FALSE(s.Utilities.UtilEntered[2]);
    EXPECT_TRUE(stop->isVisible());
    EXPECT_TRUE(Util("mskLat_0")->hasFocus());

    w.Action("mnuUtilGC")->trigger();
    for (int i : {2, 3}) {
        in.Type(in.Field("mskLat", i), "10000s");
        in.Type(in.Field("mskLong", i), "020000e");
        in.Leave(Util("mskLat_4"));
        EXPECT_EQ(s.Lat(i + 1), -10.0);
        EXPECT_EQ(s.Long(i + 1), 20.0);
        EXPECT_TRUE(s.Utilities.UtilEntered[2 * i]);
        EXPECT_TRUE(s.Utilities.UtilEntered[2 * i + 1]);
    }
    EXPECT_TRUE(in.script.messages.empty());
}

// Guards the great-circle limits: a whole-minute limiting latitude that is
// always north, and a waypoint interval in tens of minutes, always east and
// never zero; entered, they compute no great circle (its Compute button
// does).
TEST_P(PositionFields, LimitingLatitudeAndWaypointInterval) {
    w.Action("mnuUtilGC")->trigger();
    MaskedField* limit = Util("mskLat_4");
    MaskedField* step = Util("mskLong_4");
    QWidget* report = test::UtilitiesControl(w, "rtfCalcWP");
    limit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(limit->toolTip(), "Enter max. lat. you don't want to exceed");
    EXPECT_EQ(step->toolTip(), "Enter long. interval between 2 waypoints");
    in.Type(limit, "6000");
    EXPECT_EQ(limit->MaskedText(), "60°00'");
    in.Leave(step);
    EXPECT_EQ(s.Lat(5), 60.0);
    EXPECT_TRUE(s.Utilities.UtilEntered[8]);
    EXPECT_FALSE(report->isVisible());

    in.Type(step, "000");
    EXPECT_EQ(step->MaskedText(), "00°00'");
    in.Leave(limit);
    in.ExpectRefusal("You entered a longitude interval of 00°00'...");
    EXPECT_TRUE(step->hasFocus());
    EXPECT_FALSE(s.Utilities.UtilEntered[9]);
    in.Type(step, "059");
    in.Leave(limit);
    in.ExpectRefusal("The longitude has more than 59'.");
    in.Type(step, "053");
    EXPECT_EQ(step->MaskedText(), "05°30'");
    in.Leave(limit);
    EXPECT_EQ(s.Long(5), 5.5);
    EXPECT_TRUE(s.Utilities.UtilEntered[9]);
    EXPECT_EQ(step->BackColor(), kValidGreen);
    EXPECT_FALSE(report->isVisible());
    in.Type(limit, "9100");
    in.Leave(step);
    in.ExpectRefusal("Latitude > 90°.");
    EXPECT_EQ(s.Lat(5), 60.0);
}

// Guards the tooltips of the full position fields.
TEST_P(PositionFields, Tooltips) {
    for (int i : {0, 1, 2, 3, 5}) {
        EXPECT_EQ(w.MaskField("mskLat", i)->toolTip(),
                  "Enter degrees [°] minutes ['] & tenths of minute N/+ S/-");
        EXPECT_EQ(w.MaskField("mskLong", i)->toolTip(),
                  "Enter degrees [°] minutes ['] & tenths of minute E/+ W/-");
    }
    EXPECT_EQ(test::InputNamed(w, "mskCourse_0")->toolTip(),
              "Enter degrees [°] & tenths of degree");
    EXPECT_EQ(Util("mskCourse_1")->toolTip(), "Enter degrees [°] & tenths of degree");
    EXPECT_EQ(in.Field("mskSpeed")->toolTip(),
              "Enter knots & tenths of knot (1 knot = 1.852 km/h)");
}

}  // namespace
}  // namespace orvex
