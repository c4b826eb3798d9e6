#include "sailing/core/great_circle_report.h"

#include "navlib/inout_lib.h"
#include "navlib/number_format.h"

namespace orvex {

namespace {

GreatCircleFormat Bold(bool on) {
    GreatCircleFormat f;
    f.bold = on;
    f.underline = on;
    return f;
}

GreatCircleFormat Bullet(bool on) {
    GreatCircleFormat f;
    f.bullet = on;
    return f;
}

// A course as "000°.0"; due north, and a course that rounds to it, reads
// 000°.0, never 360°.0.
std::string CourseText(double c, const std::string& decSep) {
    std::string t = FormatNumber(c, "000°.0", decSep);
    if (t.rfind("360", 0) == 0) t.replace(0, 3, "000");
    return t;
}

class Writer {
  public:
    explicit Writer(const GreatCircleReportContext& ctx) : ctx_(ctx) {}

    // Starts the next slot with its first piece.
    void Slot(const std::string& text, GreatCircleFormat format = {}) {
        slots_.push_back({{std::move(format), text}});
    }
    // Adds a piece to the slot being written.
    void Add(const std::string& text, GreatCircleFormat format = {}) {
        slots_.back().push_back({std::move(format), text});
    }
    std::vector<GreatCircleSlot> Take() { return std::move(slots_); }

    std::string Dist(double d) const { return FormatNumber(d, "####0.0", ctx_.DecSep); }
    std::string Course(double c) const { return CourseText(c, ctx_.DecSep); }
    std::string Units() const { return ctx_.Sphere ? " geographical miles" : " nautical miles"; }
    std::string UnitsDot() const { return Units() + "."; }
    std::string Position(double lat, double lon) const {
        return FormatLatitude(lat, ctx_.DecSep) + "; " + FormatLongitude(lon, ctx_.DecSep);
    }

  private:
    const GreatCircleReportContext& ctx_;
    std::vector<GreatCircleSlot> slots_;
};

const char* const kCrLf = "\r\n";

// The composite-sailing slot.
void WriteComposite(Writer& w, const GreatCircleInputs& in, const GreatCircleResult& r,
                    const GreatCircleReportContext& ctx) {
    w.Slot("Composite sailing:", Bold(true));
    const std::string first = w.Position(r.Limit, r.T1);
    const std::string second = w.Position(r.Limit, r.T2);
    w.Add(std::string(kCrLf) + kCrLf + "The Vertex is higher than the maximum allowed latitude: " +
              FormatLatitude(r.Limit, ctx.DecSep) + kCrLf,
          Bold(false));
    w.Add(std::string("The computed track is") + kCrLf);
    w.Add(std::string("1) a great circle (arc of geodesic curve on an ellipsoid) between") + kCrLf);
    GreatCircleFormat bulletFirst = Bullet(true);
    bulletFirst.bulletIndent = 300;
    w.Add(w.Position(in.Lat3, in.Long3) + " and" + kCrLf, bulletFirst);
    w.Add(first + kCrLf);
    w.Add("with a distance of " + w.Dist(r.Leg[1]) + w.Units() + kCrLf);
    w.Add(std::string("2) a rhumb line between") + kCrLf, Bullet(false));
    w.Add(first + " and" + kCrLf, Bullet(true));
    w.Add(second + kCrLf);
    w.Add("with a distance of " + w.Dist(r.Leg[0]) + w.Units() + kCrLf);
    w.Add(std::string("3) a second great circle between") + kCrLf, Bullet(false));
    w.Add(second + " and" + kCrLf, Bullet(true));
    w.Add(w.Position(in.Lat4, in.Long4) + kCrLf);
    w.Add("with a distance of " + w.Dist(r.Leg[2]) + w.UnitsDot() + kCrLf);
    w.Add(kCrLf, Bullet(false));
}

}  // namespace

GreatCircleOutline GreatCircleOutlineHeadings() {
    static const std::array<std::pair<const char*, int>, 23> base{{
        {"GC Distance", 1},
        {"Theoretical", 0},
        {"Sum of RLs", 0},
        {"Vertex", 1},
        {"Latitude", 2},
        {"Longitude", 2},
        {"Distance", 0},
        {"Courses", 1},
        {"Departure", 2},
        {"Arrival", 2},
        {"Composite Sailing > Lmax", 0},
        {"First GC", 0},
        {", ", 0},
        {", ", 0},
        {"Dist", 0},
        {"Intermediate RL", 0},
        {", ", 0},
        {", ", 0},
        {"Dist", 0},
        {"Second GC", 0},
        {", ", 0},
        {", ", 0},
        {"Dist", 0},
    }};
    GreatCircleOutline rows;
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = {base[i].first, base[i].second};
    return rows;
}

std::string WaypointLine(const WaypointRow& row, const std::string& decSep) {
    std::string line = FormatLatitude(row[1], decSep) + " " + FormatLongitude(row[2], decSep) + " ";
    line += row[3] == 0.0 ? std::string(6, ' ') : CourseText(row[3], decSep);
    line += "   ";
    line += row[4] == 0.0 ? std::string(8, ' ') : FormatNumber(row[4], "00000.0'", decSep);
    line += "   ";
    line += row[5] == 0.0 ? std::string(8, ' ') : FormatNumber(row[5], "00000.0'", decSep);
    line += " ";
    if (row[6] != 0.0) line += FormatNumber(row[6], "00000.0'", decSep);
    return line;
}

std::vector<GreatCircleSlot> GreatCircleReportSlots(const GreatCircleInputs& in,
                                                    const GreatCircleResult& r,
                                                    const GreatCircleReportContext& ctx) {
    Writer w(ctx);
    const std::string& sep = ctx.DecSep;
    const GreatCircleVertex& v = r.Vertex;
    for (const std::string& text :
         {ctx.EllipsoidName, FormatLatitude(in.Lat3, sep), FormatLongitude(in.Long3, sep),
          FormatLatitude(in.Lat4, sep), FormatLongitude(in.Long4, sep),
          FormatLatitude(v.VertexLat, sep), FormatLongitude(v.VertexLong, sep)})
        w.Slot(text);
    if (r.VertexOutside)
        w.Slot("The Vertex is outside the track.");
    else
        w.Slot("The Vertex distance from the departure point is " + w.Dist(v.VertexDist) +
               w.UnitsDot());
    if (r.LimitError != 0) return w.Take();

    // Slot 9.
    if (r.Composite)
        WriteComposite(w, in, r, ctx);
    else
        w.Slot("");

    // Slot 10.
    const std::string T = w.Dist(r.Theoretical);
    const std::string R = w.Dist(r.SingleRLDist);
    const std::string C = w.Course(r.SingleRLCourse);
    if (r.HasWaypoints) {
        w.Slot("The total theoretical distance is " + T + w.Units() + kCrLf +
               "but you will proceed along rhumb lines which approximate the great circle" + kCrLf +
               "with an accuracy dependent on the longitude interval you entered." + kCrLf);
        w.Add(std::string("The total distance equal to the sum of the rhumb lines distances is") +
              kCrLf + w.Dist(r.SumOfRhumbLines) + w.UnitsDot() + kCrLf);
        w.Add(std::string("The total distance of a single rhumb line equivalent to the whole") +
              kCrLf + "great circle (RL true course = " + C + ") is " + R + w.UnitsDot() + kCrLf);
        w.Add("This means a saving of " + w.Dist(r.SingleRLDist - r.SumOfRhumbLines) +
              w.UnitsDot());
    } else {
        w.Slot("The total distance is " + T + w.UnitsDot() + kCrLf);
        w.Add("The total distance of the equivalent rhumb line (true course = " + C + ") is" +
              kCrLf + R + w.UnitsDot() + kCrLf);
        w.Add("This means a saving of " + w.Dist(r.SingleRLDist - r.Theoretical) + w.UnitsDot());
    }

    // Slot 11: the waypoint table in a fixed font, its lines black and blue
    // in turn, then the closing texts.
    GreatCircleFormat table;
    table.fontName = "Courier New";
    table.fontSize = 10;
    if (r.HasWaypoints && r.ArrivalRow < 1) {
        w.Slot("", table);
    } else if (r.HasWaypoints) {
        for (int i = 1; i <= r.ArrivalRow; ++i) {
            GreatCircleFormat line = i == 1 ? table : GreatCircleFormat{};
            line.colour = i % 2 == 1 ? kWaypointBlack : kWaypointBlue;
            const std::string text = WaypointLine(r.Waypoints[static_cast<size_t>(i)], sep) + kCrLf;
            if (i == 1)
                w.Slot(text, line);
            else
                w.Add(text, line);
        }
    } else {
        w.Slot(std::string("No longitude interval given by the user.") + kCrLf, table);
    }
    GreatCircleFormat closing;
    closing.fontName = "Arial";
    closing.fontSize = 11;
    closing.colour = kWaypointBlack;
    w.Add(std::string(kCrLf) + "The period of the geodesic curve is " +
              FormatNumber(r.Period, "##0°.0#", sep) + kCrLf,
          closing);
    w.Add("The great circle theoretical departure course is " + w.Course(r.DepartureCourse) +
          kCrLf);
    w.Add("The great circle theoretical arrival course is " + w.Course(r.ArrivalCourse) + kCrLf);
    GreatCircleFormat last;
    last.italic = true;
    last.underline = true;
    last.centre = true;
    w.Add(std::string(kCrLf) + "End of great circle calculation by " + ctx.ProgramName, last);
    return w.Take();
}

void UpdateGreatCircleOutline(GreatCircleOutline& rows, const GreatCircleInputs& in,
                              const GreatCircleResult& r, const GreatCircleReportContext& ctx) {
    const std::string& sep = ctx.DecSep;
    auto dist = [&sep](double d) { return FormatNumber(d, "####0.0", sep); };
    auto pos = [&sep](double lat, double lon) {
        return FormatLatitude(lat, sep) + "; " + FormatLongitude(lon, sep);
    };
    const GreatCircleVertex& v = r.Vertex;
    rows[3].Text = r.VertexOutside ? "Vertex outside the track"
                                   : "Vertex latitude " + FormatLatitude(v.VertexLat, sep);
    rows[4].Text = "Latitude " + FormatLatitude(v.VertexLat, sep);
    rows[5].Text = "Longitude " + FormatLongitude(v.VertexLong, sep);
    if (!r.VertexOutside)
        rows[6].Text = "Distance " + dist(v.VertexDist) + (ctx.Sphere ? " gmiles" : " nmiles");
    rows[6].Level = r.VertexOutside ? 0 : 2;
    if (r.LimitError != 0) return;

    const int c = r.Composite ? 1 : 0;
    rows[10].Level = c;
    for (int i : {11, 15, 19}) rows[static_cast<size_t>(i)].Level = 2 * c;
    for (int i : {12, 13, 14, 16, 17, 18, 20, 21, 22}) rows[static_cast<size_t>(i)].Level = 3 * c;
    if (r.Composite) {
        rows[12].Text = pos(in.Lat3, in.Long3);
        rows[13].Text = pos(r.Limit, r.T1);
        rows[14].Text = "Dist = " + dist(r.Leg[1]);
        rows[16].Text = pos(r.Limit, r.T1);
        rows[17].Text = pos(r.Limit, r.T2);
        rows[18].Text = "Dist = " + dist(r.Leg[0]);
        rows[20].Text = pos(r.Limit, r.T2);
        rows[21].Text = pos(in.Lat4, in.Long4);
        rows[22].Text = "Dist = " + dist(r.Leg[2]);
    }
    if (r.HasWaypoints) {
        rows[0].Text = "GC Dist " + dist(r.Theoretical) + " / " + dist(r.SumOfRhumbLines);
        rows[1].Text = "Theoretical = " + dist(r.Theoretical);
        rows[2].Text = "Sum of RLs = " + dist(r.SumOfRhumbLines);
    } else {
        rows[0].Text = "GC Distance = " + dist(r.Theoretical);
    }
    rows[1].Level = r.HasWaypoints ? 2 : 0;
    rows[2].Level = r.HasWaypoints ? 2 : 0;
    rows[8].Text = "Departure = " + CourseText(r.DepartureCourse, sep);
    rows[9].Text = "Arrival = " + CourseText(r.ArrivalCourse, sep);
}

}  // namespace orvex
