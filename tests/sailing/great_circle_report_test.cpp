// The great-circle report poured into the rich-text box: every placeholder
// filled in order, the vertex sentences and a refused limit.
#include <gtest/gtest.h>

#include "platform/rich_text_box.h"
#include "sailing/core/great_circle_sailing.h"
#include "sailing/great_circle_report_box.h"
#include "sailing_test_models.h"

namespace orvex {
namespace {

// The report template is filled in order and no placeholder is left; the
// waypoint lines carry blanks where a value is 0.
TEST(GreatCircleReport, EveryPlaceholderFilledInOrder) {
    RichTextBox box;
    ASSERT_TRUE(box.LoadFile(QString(ORVEX_PROGRAM_DIR) + "/CalcWP.rtf"));
    ASSERT_EQ(box.Text().count(kPlaceholderMark), 11);
    GreatCircleInputs in;
    in.Lat3 = 40.0;
    in.Long3 = 10.0;
    in.Lat4 = 45.0;
    in.Long4 = 30.0;
    in.IntervalEntered = true;
    in.Interval = 5.0;
    const GreatCircleResult r = ComputeGreatCircle(in, NormalSphere());
    GreatCircleReportContext ctx;
    ctx.EllipsoidName = "Normal Sphere";
    ctx.Sphere = true;
    box.SetSelStart(0);
    EXPECT_EQ(FillGreatCircleReport(box, in, r, ctx), 11);
    const QString text = box.Text();
    EXPECT_EQ(text.count(kPlaceholderMark), 0);
    const QStringList inOrder = {"Normal Sphere",
                                 "40°00'.0 N",
                                 "010°00'.0 E",
                                 "45°00'.0 N",
                                 "030°00'.0 E",
                                 "The Vertex",
                                 "The total theoretical distance is",
                                 "geographical miles.",
                                 "This means a saving of",
                                 "The period of the geodesic curve is",
                                 "The great circle theoretical departure course is",
                                 "End of great circle calculation by Orvex 1.2"};
    int at = 0;
    for (const QString& s : inOrder) {
        const int i = text.indexOf(s, at);
        EXPECT_GE(i, 0) << s.toStdString();
        if (i >= 0) at = i;
    }
    EXPECT_EQ(text.count("nautical miles"), 0);
    // First line: no distance sailed; last line: no course, leg or distance to go.
    // Columns: course at 23, leg at 32, sailed at 43, to go at 52.
    const QString first = QString::fromStdString(WaypointLine(r.Waypoints[1], "."));
    EXPECT_EQ(first.mid(43, 9), "         ");
    EXPECT_EQ(first.size(), 60);
    const QString last = QString::fromStdString(WaypointLine(r.Waypoints[r.ArrivalRow], "."));
    EXPECT_EQ(last.mid(23, 6), "      ");
    EXPECT_EQ(last.mid(32, 8), "        ");
    EXPECT_EQ(last.size(), 52);
    EXPECT_EQ(QString::fromStdString(WaypointLine(r.Waypoints[2], ".")).size(), 60);
}

// Vertex outside the track: slot 8 says so, slot 9 stays empty; a refused
// limit fills slots 1 to 8 only.
TEST(GreatCircleReport, VertexOutsideAndRefusedLimit) {
    GreatCircleInputs in;
    in.Lat3 = 10.0;
    in.Long3 = -20.0;
    in.Lat4 = 50.0;
    in.Long4 = -5.0;
    GreatCircleResult r = ComputeGreatCircle(in, Wgs84());
    ASSERT_TRUE(r.VertexOutside);
    RichTextBox box;
    ASSERT_TRUE(box.LoadFile(QString(ORVEX_PROGRAM_DIR) + "/CalcWP.rtf"));
    GreatCircleReportContext ctx;
    ctx.EllipsoidName = "WGS 1984";
    EXPECT_EQ(FillGreatCircleReport(box, in, r, ctx), 11);
    EXPECT_TRUE(box.Text().contains("The Vertex is outside the track."));
    EXPECT_TRUE(box.Text().contains("No longitude interval given by the user."));
    EXPECT_TRUE(box.Text().contains(" nautical miles."));
    GreatCircleOutline rows = GreatCircleOutlineHeadings();
    UpdateGreatCircleOutline(rows, in, r, ctx);
    EXPECT_EQ(rows[3].Text, "Vertex outside the track");
    EXPECT_EQ(rows[6].Level, 0);
    EXPECT_EQ(rows[0].Text.rfind("GC Distance = ", 0), 0u);

    r.LimitError = 1;
    ASSERT_TRUE(box.LoadFile(QString(ORVEX_PROGRAM_DIR) + "/CalcWP.rtf"));
    EXPECT_EQ(FillGreatCircleReport(box, in, r, ctx), 8);
    EXPECT_EQ(box.Text().count(kPlaceholderMark), 3);
}

}  // namespace
}  // namespace orvex
