#include "inputs/main_lists.h"

#include <string_view>

#include "navlib/inout_lib.h"

namespace orvex {

const std::vector<EllipsoidRow>& EllipsoidRows() {
    static const std::vector<EllipsoidRow> rows = {
        {"Airy 1830 - 1/299", "324975315032", 775633960},
        {"Australian Nat. 1965 - 1/298", "249997276159", 781600000},
        {"Bessel 1841 - 1/299", "152813106079", 773971550},
        {"Clarke 1866 - 1/294", "978698213901", 782064000},
        {"Clarke 1880 - 1/293", "465000003029", 782491450},
        {"Everest 1830 - 1/300", "801699438499", 772763452},
        {"GRS 1980 - 1/298", "257222096042", 781370000},
        {"Hough - 1/297", "000000617588", 782700000},
        {"International 1924 - 1/297", "000000028402", 783880000},
        {"Krassovsky 1940 - 1/298", "300000376016", 782450000},
        {"Mercury 1960 - 1/298", "300000821622", 781660000},
        {"Modified Airy - 1/299", "324965463531", 773401890},
        {"Modified Everest - 1/300", "801700097121", 773040630},
        {"Modified Mercury 1968 - 1/298", "300000817750", 781500000},
        {"New Internat. 1967 - 1/298", "249615390012", 781575000},
        // A sphere whose great-circle minute of arc is one nautical mile:
        // 1852 x 10800 / pi metres, to 0.1 mm.
        {"Normal Sphere - 0", "", 667070190},
        {"Southeast Asia - 1/298", "300000240870", 781550000},
        {"WGS 1966 - 1/298", "249998149523", 781450000},
        {"WGS 1972 - 1/298", "259998589995", 781350000},
        {"WGS 1984 - 1/298", "257223560493", 781370000},
    };
    return rows;
}

std::string EllipsoidRowText(const EllipsoidRow& row, const std::string& decSep) {
    std::string text = row.NamePart;
    if (row.Decimals[0] != '\0') text += decSep + row.Decimals;
    return text;
}

EarthModel EarthModelFromEllipsoidRow(const std::string& text, int itemData,
                                      const std::string& decSep, const EarthModel& previous,
                                      bool* isSphere) {
    EarthModel e = previous;
    const bool sphere = text.size() >= 3 && text.compare(text.size() - 3, 3, "- 0") == 0;
    if (isSphere) *isSphere = sphere;
    if (sphere) {
        e.InvFlattening = 1e100;
    } else {
        // Three digits, the separator (one character, perhaps of several
        // bytes) and twelve decimals. Read with the row's own separator and
        // never through the C library, whose LC_NUMERIC is the user's.
        const std::string_view sep = decSep.empty() ? std::string_view(".") : decSep;
        const size_t width = 15 + sep.size();
        double value = 0.0;
        if (text.size() >= width &&
            ReadLocaleNumber(std::string_view(text).substr(text.size() - width), sep, value) &&
            value > 0.0)
            e.InvFlattening = value;
    }
    e.SemiMajorAxis = (static_cast<double>(itemData) / 10000.0 + 6300000.0) / 1852.0;
    return e;
}

EarthModel EarthModelOf(const EllipsoidRow& row) {
    return EarthModelFromEllipsoidRow(EllipsoidRowText(row, "."), row.ItemData, ".", EarthModel{});
}

std::string EllipsoidNameOf(const EllipsoidRow& row) {
    const std::string text = row.NamePart;
    return text.substr(0, text.rfind(" - "));
}

const std::vector<TimeZoneRow>& TimeZoneRows() {
    static const std::vector<TimeZoneRow> rows = {
        {"GMT +14", 1400},
        {"GMT +13 3/4", 1375},
        {"GMT +13", 1300},
        {"GMT +12 3/4", 1275},
        {"GMT +12", 1200},
        {"GMT +11 1/2", 1150},
        {"GMT +11", 1100},
        {"GMT +10 1/2", 1050},
        {"GMT +10", 1000},
        {"GMT +09 1/2", 950},
        {"GMT +09", 900},
        {"GMT +08", 800},
        {"GMT +07", 700},
        {"GMT +06 1/2", 650},
        {"GMT +06", 600},
        {"GMT +05 3/4", 575},
        {"GMT +05 1/2", 550},
        {"GMT +05", 500},
        {"GMT +04 1/2", 450},
        {"GMT +04", 400},
        {"GMT +03 1/2", 350},
        {"GMT +03", 300},
        {"GMT +02", 200},
        {"GMT +01", 100},
        {"GMT", 0},
        {"GMT -01", -100},
        {"GMT -02", -200},
        {"GMT -02 1/2", -250},
        {"GMT -03", -300},
        {"GMT -03 1/2", -350},
        {"GMT -04", -400},
        {"GMT -05", -500},
        {"GMT -06", -600},
        {"GMT -07", -700},
        {"GMT -08", -800},
        {"GMT -09", -900},
        {"GMT -09 1/2", -950},
        {"GMT -10", -1000},
        {"GMT -11", -1100},
        {"GMT -12", -1200},
    };
    return rows;
}

}  // namespace orvex
