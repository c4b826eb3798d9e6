// The observation table without a window: what each editor's commit keeps,
// the cells' texts, the keys that open an editor, Delete and Ctrl+Delete,
// the reading with its messages, the sort, and the file's sights round trip.
#include "workbench/core/observation_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ephemeris/ephemeris.h"
#include "navlib/date_time.h"
#include "workbench/core/session_file.h"

namespace orvex {
namespace {

const double kT1 = MakeDateTime(2026, 12, 8, 19, 22, 0);

// Row r filled as the editors commit it.
void Fill(ObservationTable& t, int r, double time, const char* body, const char* altitude,
          const char* correction) {
    t.CommitTime(r, time);
    t.CommitBody(r, body);
    ASSERT_TRUE(t.CommitAltitude(r, altitude).Accepted);
    t.CommitCorrection(r, correction, ".");
}

std::string ReadProblem(const ObservationTable& t) {
    ObservationSet o;
    TableMessage m;
    return t.Read(o, BodyNames(), m) ? std::string() : m.Title + "|" + m.Text;
}

TEST(ObservationTable, CommitsAndTexts) {
    ObservationTable t;
    Fill(t, 1, kT1, "VEGA", "4_°3_'.2", "-1.5");
    EXPECT_EQ(t.Text(1, 0, "."), "8 Dec 2026 19:22:00");
    EXPECT_EQ(t.Text(1, 2, ","), "04°03',2");  // prompts read as blanks
    EXPECT_EQ(t.Text(1, 3, ","), "-01,50");
    EXPECT_FALSE(t.CommitBody(1, "VEGA"));  // the same value again
    // A refused altitude shows as typed and keeps the flag it had.
    auto refused = t.CommitAltitude(1, "45°75'.0");
    EXPECT_FALSE(refused.Accepted);
    EXPECT_EQ(refused.Message, "The altitude has more than 59'.");
    EXPECT_TRUE(refused.Changed);
    EXPECT_FALSE(t.CommitAltitude(1, "45°75'.0").Changed);  // told once
    EXPECT_EQ(t.State(1, 2), CellState::Refused);
    EXPECT_EQ(t.Text(1, 2, "."), "45°75'.0");
    EXPECT_TRUE(t.Filled(1, 2));
    EXPECT_EQ(ReadProblem(t), "Incorrect data|Incorrect altitude in the grid.");
    EXPECT_EQ(t.CommitAltitude(2, "89°59'.9").Accepted, true);
    EXPECT_FALSE(t.CommitAltitude(3, "90°00'.0").Accepted);
    EXPECT_FALSE(t.Filled(3, 2));
    // The grid's correction: held to +-99.99' without a message, a text
    // that is no number as +99.99; the conditions' text fills an empty cell.
    for (auto [typed, shown] : {std::pair{"75", "+75.00"}, {"-120", "-99.99"}, {"x", "+99.99"}}) {
        t.CommitCorrection(2, typed, ".");
        EXPECT_EQ(t.Text(2, 3, "."), shown) << typed;
    }
    EXPECT_FALSE(t.FillCorrection(2, "+01.00", "."));
    EXPECT_TRUE(t.FillCorrection(3, "+01,00", ","));
    EXPECT_EQ(t.Text(3, 3, "."), "+01.00");
}

// Guards the view following the table: every change is told to its
// watcher, a copy is not watched, and an assignment (the new-fix layout, a
// load) keeps the watcher where it was.
TEST(ObservationTable, WatcherFollowsChanges) {
    ObservationTable t;
    int told = 0;
    std::pair<int, int> last;
    t.Watch([&](int r, int col) {
        ++told;
        last = {r, col};
    });
    Fill(t, 1, kT1, "VEGA", "45°30'.0", "-1.5");
    EXPECT_EQ(told, 4);
    t.CommitAltitude(1, "45°75'.0");  // a refusal shows too
    EXPECT_EQ(last, std::pair(1, 2));
    t.Delete(1, 1);
    EXPECT_EQ(last, std::pair(1, 1));
    t.RemoveRow(1);
    t.SortByTime(2);
    t.LoadFileRows({});
    EXPECT_EQ(told, 9);
    EXPECT_EQ(last, std::pair(0, 0));  // rows came anew
    ObservationTable copy = t;
    copy.PutText(1, 1, "VEGA", ".");
    EXPECT_EQ(told, 9);
    t = ObservationTable();
    t.PutText(1, 1, "VEGA", ".");
    EXPECT_EQ(told, 10);
}

TEST(ObservationTable, EditorTemplatesAndKeys) {
    ObservationTable t;
    using S = ObservationTable::EditorStart;
    auto open = [&t](int col, int key, const char* sep) {
        const S s = t.OpenNumber(1, col, key, sep);
        return s.Text + "@" + std::to_string(s.Cursor);
    };
    EXPECT_EQ(open(2, '4', "."), "4_°__'._@1");
    EXPECT_EQ(open(2, '9', ","), "__°__',_@0");  // "9" opens it empty
    EXPECT_EQ(open(2, ' ', "."), "__°__'._@0");
    EXPECT_EQ(open(3, ' ', ","), "___,__@0");
    EXPECT_NE(open(3, '9', ".").find('9'), std::string::npos);  // begins the number
    t.CommitAltitude(1, "12°34'.5");
    EXPECT_EQ(open(2, 0, "."), "12°34'.5@0");
    EXPECT_TRUE(ObservationTable::AltitudeKeyRefused(0, '9'));
    EXPECT_TRUE(ObservationTable::AltitudeKeyRefused(3, '6'));
    EXPECT_FALSE(ObservationTable::AltitudeKeyRefused(1, '9'));
    // The time editor: the stored time first, then the cell, the row above,
    // the estimated position's time; the cell counts again after Esc.
    double stored = 0.0;
    EXPECT_EQ(t.OpenTime(1, stored, 5.0), 5.0);
    t.CommitTime(1, kT1);
    EXPECT_EQ(t.OpenTime(2, stored, 5.0), kT1);
    EXPECT_EQ(t.OpenTime(1, stored, 5.0), kT1);
    EXPECT_FALSE(t.Filled(1, 0));
    t.CancelTime(1);
    EXPECT_TRUE(t.Filled(1, 0));
    stored = 7.0;
    EXPECT_EQ(t.OpenTime(1, stored, 5.0), 7.0);
    EXPECT_EQ(stored, 0.0);
}

TEST(ObservationTable, DeleteRowChecksAndReading) {
    ObservationTable t;
    EXPECT_EQ(ReadProblem(t), " Error in input data|Please fill the grid with the observations.");
    Fill(t, 1, kT1, "VEGA", "45°00'.0", "+00.00");
    EXPECT_EQ(ReadProblem(t), "");
    Fill(t, 2, kT1 + 0.01, "ALTAIR", "30°00'.0", "+01.00");
    t.Delete(2, 3);
    EXPECT_TRUE(t.RowLeftIncomplete(2));
    EXPECT_EQ(ReadProblem(t), "Missing data|Some data are missing or incorrect in the grid.");
    // A row with only its correction passes the row check but is read as
    // a started row.
    t.CommitCorrection(2, "+01.00", ".");
    t.Delete(2, 0);
    t.Delete(2, 1);
    EXPECT_FALSE(t.Delete(2, 2));
    EXPECT_FALSE(t.RowLeftIncomplete(2));
    EXPECT_EQ(ReadProblem(t), "Missing data|Some data are missing or incorrect in the grid.");
    EXPECT_TRUE(t.Delete(2, 3));
    EXPECT_TRUE(t.Delete(2, 3));  // "Row empty" again on an empty row
    // Row 1's flags are not looked at, its values are.
    t.Delete(1, 3);
    EXPECT_EQ(ReadProblem(t), "Incorrect data|Incorrect instrumental error in the grid.");

    // Ctrl+Delete keeps the rows, an empty one coming in at the end.
    ObservationTable u;
    for (int r = 1; r <= 3; ++r) Fill(u, r, kT1 + r, "VEGA", "10°00'.0", "+00.00");
    u.CommitBody(3, "DENEB");
    u.RemoveRow(2);
    EXPECT_EQ(u.Rows(), ObservationTable::kLayoutRows);
    EXPECT_EQ(u.Row(2).Body, "DENEB");
    EXPECT_FALSE(u.Filled(3, 0));
    ObservationSet o;
    TableMessage m;
    ASSERT_TRUE(u.Read(o, BodyNames(), m));
    EXPECT_EQ(o.ObsCount, 2);
    EXPECT_EQ(o.ObsBody[2], "DENEB");
    EXPECT_EQ(o.ObsInstErr(1), 0.0);
}

TEST(ObservationTable, SortByTimeKeepsEqualTimesInOrder) {
    ObservationTable t;
    const char* bodies[] = {"VEGA", "DENEB", "ALTAIR", "CAPELLA"};
    const double times[] = {kT1 + 0.2, kT1, kT1 + 0.2, kT1 + 0.1};
    for (int r = 1; r <= 4; ++r) Fill(t, r, times[r - 1], bodies[r - 1], "10°00'.0", "+00.00");
    t.CommitAltitude(1, "11°00'.0");
    t.SortByTime(4);
    std::string order;
    for (int r = 1; r <= 4; ++r) order += t.Row(r).Body + " ";
    EXPECT_EQ(order, "DENEB CAPELLA VEGA ALTAIR ");
    EXPECT_EQ(t.Text(3, 2, "."), "11°00'.0");  // the row's cells go with it
}

// A sample file's sights into the table and back: the values as their
// cells show them (an altitude written from another reading of its text may
// differ in the last bit), read by the fix as the session holds them, and
// the same again after a second round.
TEST(ObservationTable, FileRowsRoundTrip) {
    std::ifstream in(std::string(ORVEX_SOURCE_DIR) + "/data/files/Observations/09Dec26A.obs",
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    ObservationFileData d;
    ASSERT_EQ(ParseObservationFile(text.str(), BodyNames(), d).Number, 0);
    ObservationTable t;
    t.CommitBody(40, "VEGA");
    t.LoadFileRows(d.Sights);
    const int n = static_cast<int>(d.Sights.size());
    EXPECT_FALSE(t.Filled(40, 1));
    const std::vector<ObsFileSight> back = t.FileRows(n);
    ASSERT_EQ(back.size(), d.Sights.size());
    StarFixSession s;
    LoadObservationFile(d, s);
    ObservationSet o;
    TableMessage m;
    ASSERT_TRUE(t.Read(o, BodyNames(), m)) << m.Text;
    ASSERT_EQ(o.ObsCount, n);
    for (int i = 1; i <= n; ++i) {
        const ObsFileSight& a = d.Sights[static_cast<size_t>(i - 1)];
        const ObsFileSight& b = back[static_cast<size_t>(i - 1)];
        EXPECT_EQ(b.Time, a.Time) << i;
        EXPECT_EQ(b.Body, a.Body) << i;
        EXPECT_NEAR(b.Hs, a.Hs, 1e-12) << i;
        EXPECT_EQ(b.InstErr, a.InstErr) << i;
        EXPECT_EQ(o.ObsHs(i), b.Hs) << i;
        EXPECT_EQ(o.ObsInstErr(i), s.Obs.ObsInstErr(i)) << i;
        EXPECT_EQ(o.ObsTime(i), s.Obs.ObsTime(i)) << i;
    }
    ObservationTable again;
    again.LoadFileRows(back);
    const std::vector<ObsFileSight> twice = again.FileRows(n);
    for (size_t i = 0; i < back.size(); ++i) EXPECT_EQ(twice[i].Hs, back[i].Hs) << i;
}

}  // namespace
}  // namespace orvex
