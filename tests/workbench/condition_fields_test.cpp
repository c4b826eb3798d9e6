// The condition fields of the star-fix input driven as a navigator drives
// them: typed, then left for the next field. Each runs with "." and with ","
// as the user's decimal separator.
#include <gtest/gtest.h>

#include "input_fields_support.h"
#include "navlib/unit_conversions.h"
#include "tests/keyboard.h"

namespace orvex {
namespace {

class ConditionFields : public ::testing::TestWithParam<std::string> {
  protected:
    test::InputWindow in{GetParam()};
    FrmWorking& w = *in.w;
    WorkbenchState& s = w.State();
};

INSTANTIATE_TEST_SUITE_P(Separators, ConditionFields, ::testing::Values(".", ","));

// Guards course and speed: the values and flags of a valid entry, the
// refusal of 360.1 with its last place made "_" and the focus kept, and the
// previous course kept (never the refused one) with its flag.
TEST_P(ConditionFields, CourseAndSpeed) {
    MaskedField* course = test::InputNamed(w, "mskCourse_0");
    MaskedField* speed = in.Field("mskSpeed");
    in.Type(course, "3600");
    in.Leave(speed);
    EXPECT_TRUE(in.script.messages.empty());
    EXPECT_EQ(course->MaskedText(), in.S("360°.0"));
    EXPECT_EQ(s.Course, 360.0);
    EXPECT_EQ(s.CourseInput, 360.0);
    EXPECT_TRUE(s.FixEntered[5]);
    EXPECT_EQ(course->BackColor(), kValidGreen);

    in.Type(course, "3601");
    EXPECT_EQ(course->BackColor(), MaskedField::WindowColor());  // entry: window colour
    in.Leave(speed);
    in.ExpectRefusal("Course > 360°");
    EXPECT_TRUE(course->hasFocus());
    EXPECT_EQ(course->MaskedText(), in.S("360°._"));
    EXPECT_NE(course->BackColor(), kValidGreen);
    EXPECT_EQ(s.Course, 360.0);
    EXPECT_TRUE(s.FixEntered[5]);

    in.Type(course, "0455");
    in.Leave(speed);
    EXPECT_EQ(s.Course, 45.5);
    EXPECT_TRUE(s.FixEntered[5]);
    EXPECT_TRUE(speed->hasFocus());
    // The caret of the speed field waits on its second place.
    EXPECT_EQ(speed->cursorPosition(), 1);

    test::Type("125");  // typed from the caret: _12.5
    in.Leave(course);
    EXPECT_EQ(speed->MaskedText(), in.S("_12.5"));
    EXPECT_EQ(s.Speed, 12.5);
    EXPECT_EQ(s.SpeedInput, 12.5);
    EXPECT_TRUE(s.FixEntered[6]);
    EXPECT_EQ(speed->BackColor(), kValidGreen);
    EXPECT_TRUE(in.script.messages.empty());
}

// Guards an empty field: nothing parsed, nothing changed (the ship's course
// keeps its value, flag and colour); the rhumb-line course alone clears its
// flag and recomputes the utilities: the arrival it completed is shown at
// once, and emptied the course leaves no problem posed.
TEST_P(ConditionFields, EmptyCourseFields) {
    in.Type(test::InputNamed(w, "mskCourse_0"), "1000");
    in.Leave(in.Field("mskSpeed"));
    in.Type(test::InputNamed(w, "mskCourse_0"), "");
    in.Leave(in.Field("mskSpeed"));
    EXPECT_EQ(s.Course, 100.0);
    EXPECT_TRUE(s.FixEntered[5]);
    EXPECT_EQ(test::InputNamed(w, "mskCourse_0")->BackColor(), MaskedField::WindowColor());
    EXPECT_FALSE(s.Utilities.UtilEntered[10]);  // the utilities untouched

    w.Action("mnuUtilRL")->trigger();
    MaskedField* rl = in.Field("mskCourse", 1);
    MaskedField* dist = in.Field("mskDist");
    QWidget* stop = test::UtilitiesControl(w, "imgStopCompute");
    // A departure and a distance wait for the course.
    in.Type(in.Field("mskLat", 0), "45000n");
    in.Type(in.Field("mskLong", 0), "005000w");
    in.Type(dist, "0010000");
    in.Leave(rl);
    ASSERT_TRUE(stop->isVisible());
    in.Type(rl, "0900");
    in.Leave(dist);
    EXPECT_EQ(s.Utilities.RLCourse, 90.0);
    EXPECT_TRUE(s.Utilities.UtilEntered[10]);
    EXPECT_EQ(rl->BackColor(), kValidGreen);
    EXPECT_FALSE(stop->isVisible());  // the arrival computed at once
    EXPECT_FALSE(in.Field("mskLat", 1)->IsEmptyEntry());
    EXPECT_FALSE(s.FixEntered[5] && s.Course == 90.0);  // the ship's course untouched
    in.Type(rl, "");
    in.Leave(dist);
    EXPECT_FALSE(s.Utilities.UtilEntered[10]);
    EXPECT_TRUE(stop->isVisible());
    in.Type(rl, "3605");
    in.Leave(dist);
    in.ExpectRefusal("Course > 360°");
    EXPECT_TRUE(rl->hasFocus());
    EXPECT_FALSE(s.Utilities.UtilEntered[10]);
}

// Guards the height pair: metres write the feet "000.0", feet write the
// metres "00.0" and store feet x 0.3048; a feet entry whose metres would not
// fit the metres field is refused instead of showing a wrong text.
TEST_P(ConditionFields, HeightInMetresOrFeet) {
    in.InputTab(1);
    MaskedField* m = in.Field("mskHeightM");
    MaskedField* ft = in.Field("mskHeightF");
    m->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(m->cursorPosition(), 0);
    in.Type(m, "100");
    in.Leave(ft);
    EXPECT_EQ(s.HeightEye, 10.0);
    EXPECT_TRUE(s.FixEntered[7]);
    EXPECT_EQ(ft->MaskedText(), in.S("032.8"));
    EXPECT_EQ(m->BackColor(), kValidGreen);
    EXPECT_EQ(ft->BackColor(), MaskedField::WindowColor());  // entered, not committed yet
    EXPECT_EQ(ft->cursorPosition(), 1);

    in.Type(ft, "328");
    in.Leave(m);
    EXPECT_DOUBLE_EQ(s.HeightEye, 32.8 * 0.3048);
    EXPECT_EQ(m->MaskedText(), in.S("10.0"));
    EXPECT_EQ(ft->BackColor(), kValidGreen);

    in.Type(ft, "328.0");  // leaving the metres the program wrote commits nothing
    EXPECT_DOUBLE_EQ(s.HeightEye, 32.8 * 0.3048);
    in.Leave(m);
    in.ExpectRefusal(in.S("The eye height is higher than 327.9") + " feet.");
    EXPECT_TRUE(ft->hasFocus());
    EXPECT_EQ(ft->MaskedText(), in.S("328._"));
    EXPECT_DOUBLE_EQ(s.HeightEye, 32.8 * 0.3048);
    EXPECT_EQ(m->MaskedText(), in.S("10.0"));
    EXPECT_TRUE(s.FixEntered[7]);
    in.Type(ft, "327.9");
    in.Leave(m);
    EXPECT_EQ(m->MaskedText(), in.S("99.9"));
    EXPECT_TRUE(s.FixEntered[7]);
}

// Guards the pressure pair at its limits: 940 and 1070 hPa accepted, 939
// and 1071 refused; 1070 shows 31.60 inHg, which the inches field left
// unchanged does not commit (it would refuse it); 27.76 inHg writes 0940.
TEST_P(ConditionFields, PressureLimitsAndPairs) {
    in.InputTab(1);
    MaskedField* hpa = in.Field("mskPress_mBars");
    MaskedField* hg = in.Field("mskPressHg");
    in.Type(hpa, "0940");
    in.Leave(hg);
    EXPECT_EQ(s.PressMBars, 940.0);
    EXPECT_EQ(s.PressHg, MillibarsToInchesHg(940));
    EXPECT_EQ(hg->MaskedText(), in.S("27.76"));
    in.Type(hpa, "1070");
    in.Leave(hg);
    EXPECT_EQ(hg->MaskedText(), in.S("31.60"));
    EXPECT_TRUE(in.script.messages.empty());
    in.Leave(hpa);  // the inches field left unchanged
    EXPECT_TRUE(in.script.messages.empty());
    EXPECT_TRUE(hpa->hasFocus());
    EXPECT_EQ(s.PressMBars, 1070.0);
    in.Type(hg, "3160");
    in.Leave(hpa);
    in.ExpectRefusal(in.S("The atmospheric pressure is higher than 31.59") + " inHg.");
    EXPECT_TRUE(hg->hasFocus());
    EXPECT_EQ(hg->MaskedText(), in.S("31.6_"));
    in.Type(hg, "3159");
    in.Leave(hpa);
    EXPECT_EQ(s.PressHg, 31.59);
    EXPECT_EQ(hpa->MaskedText(), "1070");

    in.Type(hpa, "0939");
    EXPECT_TRUE(hpa->hasFocus());
    in.Leave(hg);
    in.ExpectRefusal("The atmospheric pressure is lower than 940 mbars.");
    EXPECT_EQ(hpa->MaskedText(), "093_");
    EXPECT_EQ(s.PressMBars, InchesHgToMillibars(31.59));  // the refused value is not stored
    in.Type(hpa, "1071");
    in.Leave(hg);
    in.ExpectRefusal("The atmospheric pressure is higher than 1070 mbars.");
    in.Type(hpa, "1013");
    in.Leave(hg);
    EXPECT_EQ(s.PressMBars, 1013.0);

    in.Type(hg, "2776");
    in.Leave(hpa);
    EXPECT_EQ(s.PressHg, 27.76);
    EXPECT_EQ(s.PressMBars, InchesHgToMillibars(27.76));
    EXPECT_EQ(hpa->MaskedText(), "0940");
    EXPECT_EQ(hg->BackColor(), kValidGreen);
    in.Type(hg, "2775");
    in.Leave(hpa);
    in.ExpectRefusal(in.S("The atmospheric pressure is lower than 27.76") + " inHg.");
    EXPECT_EQ(s.PressHg, 27.76);
}

// Guards the temperature pairs of both elements: the limits, the "_"
// padding of the paired text and the sign; a refused value stores nothing.
TEST_P(ConditionFields, TemperaturesInBothScales) {
    in.InputTab(1);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        MaskedField* c = test::InputNamed(w, QString("mskTempCelcius_%1").arg(i));
        MaskedField* f = test::InputNamed(w, QString("mskTempFahr_%1").arg(i));
        double& airOrSeaC = i == 0 ? s.TempAirC : s.TempWaterC;
        double& airOrSeaF = i == 0 ? s.TempAirF : s.TempWaterF;
        in.Type(c, "-50");
        in.Leave(f);
        EXPECT_EQ(airOrSeaC, -50.0);
        EXPECT_EQ(airOrSeaF, -58.0);
        EXPECT_EQ(f->MaskedText(), "-58");
        EXPECT_EQ(c->BackColor(), kValidGreen);
        in.Put(c, "_-5");
        in.Leave(f);
        EXPECT_EQ(f->MaskedText(), "_23");
        in.Type(c, "070");
        in.Leave(f);
        EXPECT_EQ(f->MaskedText(), "158");
        in.Type(c, "071");
        in.Leave(f);
        in.ExpectRefusal("The temperature is higher than +70°C.");
        EXPECT_TRUE(c->hasFocus());
        EXPECT_EQ(c->MaskedText(), "07_");
        EXPECT_EQ(airOrSeaC, 70.0);
        in.Type(c, "-51");
        in.Leave(f);
        in.ExpectRefusal("The temperature is lower than -50°C.");
        in.Type(c, "x1");
        in.Leave(f);
        in.ExpectRefusal("The temperature is not valid.");
        EXPECT_TRUE(c->hasFocus());
        in.Put(c, "_20");  // corrected: the focus may go
        in.Leave(f);
        EXPECT_EQ(airOrSeaC, 20.0);

        in.Type(f, "005");
        in.Leave(c);
        EXPECT_EQ(airOrSeaF, 5.0);
        EXPECT_EQ(airOrSeaC, -15.0);
        EXPECT_EQ(c->MaskedText(), "-15");
        EXPECT_EQ(f->BackColor(), kValidGreen);
        in.Type(f, "159");
        in.Leave(c);
        in.ExpectRefusal("The temperature is higher than +158°F.");
        EXPECT_TRUE(f->hasFocus());
        in.Type(f, "-59");
        in.Leave(c);
        in.ExpectRefusal("The temperature is lower than -58°F.");
        in.Type(f, "-58");
        in.Leave(c);
        EXPECT_EQ(c->MaskedText(), "-50");
    }
    EXPECT_TRUE(in.script.messages.empty());
}

// Guards the spin buttons, clicked as shown: one step through the field's
// own commit, the "_" padding of 999 hPa, and no step past a limit.
TEST_P(ConditionFields, SpinButtonsStepWithinTheLimits) {
    in.InputTab(1);
    MaskedField* hpa = in.Field("mskPress_mBars");
    MaskedField* hg = in.Field("mskPressHg");
    in.Type(hpa, "1000");
    in.Leave(hg);
    in.Spin("updPress_mBars_Down");
    EXPECT_EQ(hpa->MaskedText(), "_999");
    EXPECT_EQ(s.PressMBars, 999.0);
    EXPECT_EQ(hg->MaskedText(), in.S("29.50"));
    EXPECT_EQ(hpa->BackColor(), kValidGreen);
    in.Spin("updPress_mBars_Up");
    EXPECT_EQ(s.PressMBars, 1000.0);
    in.Type(hpa, "0940");
    in.Leave(hg);
    in.Spin("updPress_mBars_Down");
    EXPECT_EQ(s.PressMBars, 940.0);
    in.Type(hpa, "1070");
    in.Leave(hg);
    in.Spin("updPress_mBars_Up");
    EXPECT_EQ(s.PressMBars, 1070.0);

    in.Type(hg, "2786");
    in.Leave(hpa);
    in.Spin("updPressHg_Down");
    EXPECT_EQ(s.PressHg, 27.76);
    EXPECT_EQ(hg->MaskedText(), in.S("27.76"));
    in.Spin("updPressHg_Down");  // at the limit: nothing
    EXPECT_EQ(s.PressHg, 27.76);
    in.Type(hg, "3149");
    in.Leave(hpa);
    in.Spin("updPressHg_Up");
    EXPECT_EQ(s.PressHg, 31.59);
    in.Spin("updPressHg_Up");
    EXPECT_EQ(s.PressHg, 31.59);

    in.Type(test::InputNamed(w, "mskTempCelcius_1"), "069");
    in.Leave(test::InputNamed(w, "mskTempFahr_1"));
    in.Spin("updTempCelcius_1_Up");
    EXPECT_EQ(s.TempWaterC, 70.0);
    EXPECT_EQ(test::InputNamed(w, "mskTempFahr_1")->MaskedText(), "158");
    in.Spin("updTempCelcius_1_Up");
    EXPECT_EQ(s.TempWaterC, 70.0);
    in.Spin("updTempFahr_0_Down");  // 68 -> 67 F
    EXPECT_EQ(s.TempAirF, 67.0);
    EXPECT_EQ(test::InputNamed(w, "mskTempCelcius_0")->MaskedText(), "_19");
    in.Type(test::InputNamed(w, "mskTempFahr_0"), "-57");
    in.Leave(test::InputNamed(w, "mskTempCelcius_0"));
    in.Spin("updTempFahr_0_Down");
    EXPECT_EQ(s.TempAirF, -58.0);
    in.Spin("updTempFahr_0_Down");
    EXPECT_EQ(s.TempAirF, -58.0);
    in.Type(test::InputNamed(w, "mskTempCelcius_0"), "-49");
    in.Leave(test::InputNamed(w, "mskTempFahr_0"));
    in.Spin("updTempCelcius_0_Down");
    EXPECT_EQ(s.TempAirC, -50.0);
    in.Spin("updTempCelcius_0_Down");
    EXPECT_EQ(s.TempAirC, -50.0);
    in.Spin("updTempFahr_1_Up");  // 158 F is the top
    EXPECT_EQ(s.TempWaterF, 158.0);
    EXPECT_TRUE(in.script.messages.empty());
}

}  // namespace
}  // namespace orvex
