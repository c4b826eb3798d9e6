#include "ephemeris/star_catalogue.h"

#include <array>
#include <cstdint>

namespace orvex {

// Mean places J2000.0, proper motions (the motion in right ascension as
// measured on the sky) and visual magnitudes of the navigational stars.
const CatalogueStar kStarCatalogue[kStarCount] = {
    // name            RA HH.MMSSs  Dec DD.MMSS  pmRa"/yr  pmDec"/yr  mag
    {"ACAMAR", {2.58156, -40.1817, -0.051, 0.023, 3.1}},
    {"ACHERNAR", {1.37429, -57.1412, 0.104, -0.028, 0.6}},
    {"ACRUX", {12.26359, -63.0556, -0.025, -0.017, 1.1}},
    {"ADHARA", {6.58375, -28.582, 0.001, 0.002, 1.6}},
    {"ALDEBARAN", {4.35552, 16.3033, 0.065, -0.189, 1.1}},
    {"ALIOTH", {12.54017, 55.5735, 0.109, -0.01, 1.7}},
    {"ALKAID", {13.47323, 49.1848, -0.126, -0.014, 1.9}},
    {"ALNA'IR", {22.08139, -46.574, 0.13, -0.149, 2.2}},
    {"ALNILAM", {5.36127, -1.1207, -0.003, -0.002, 1.8}},
    {"ALPHARD", {9.27352, -8.3931, -0.018, 0.028, 2.2}},
    {"ALPHECCA", {15.34412, 26.4253, 0.12, -0.091, 2.3}},
    {"ALPHERATZ", {0.08232, 29.0526, 0.137, -0.158, 2.2}},
    {"ALTAIR", {19.50469, 8.5206, 0.537, 0.387, 0.9}},
    {"ANKAA", {0.2617, -42.1822, 0.207, -0.39, 2.4}},
    {"ANTARES", {16.29244, -26.2555, -0.007, -0.023, 1.2}},
    {"ARCTURUS", {14.15396, 19.1057, -1.098, -1.999, 0.2}},
    {"ATRIA", {16.48399, -69.014, 0.028, -0.034, 1.9}},
    {"AVIOR", {8.22308, -59.3034, -0.025, 0.015, 1.7}},
    {"BELLATRIX", {5.25078, 6.2059, -0.012, -0.014, 1.7}},
    {"BETELGEUSE", {5.55103, 7.2425, 0.025, 0.01, 0.6}},  // +7d24'25"
    {"CANOPUS", {6.23572, -52.4144, 0.026, 0.022, -0.9}},
    {"CAPELLA", {5.16413, 45.5953, 0.08, -0.423, 0.2}},
    {"DENEB", {20.41258, 45.1649, 0.001, 0.005, 1.3}},
    {"DENEBOLA", {11.49035, 14.3419, -0.497, -0.119, 2.2}},
    {"DIPHDA", {0.43353, -17.5912, 0.232, 0.036, 2.2}},
    {"DUBHE", {11.03436, 61.4503, -0.118, -0.071, 2.0}},
    {"ELNATH", {5.26175, 28.3627, 0.025, -0.175, 1.8}},
    {"ELTANIN", {17.56363, 51.292, -0.013, -0.02, 2.4}},
    {"ENIF", {21.44111, 9.523, 0.03, 0.005, 2.5}},
    {"FOMALHAUT", {22.5739, -29.372, 0.336, -0.161, 1.3}},
    {"GACRUX", {12.31099, -57.0647, 0.029, -0.267, 1.6}},
    {"GIENAH", {12.15483, -17.3231, -0.163, 0.018, 2.8}},
    {"HADAR", {14.03494, -60.2222, -0.02, -0.023, 0.9}},
    {"HAMAL", {2.07103, 23.2745, 0.19, -0.144, 2.2}},
    {"KAUS AUST", {18.24103, -34.2305, -0.032, -0.125, 2.0}},
    {"KOCHAB", {14.50422, 74.092, -0.035, 0.01, 2.2}},
    {"MARKAB", {23.04456, 15.1219, 0.062, -0.038, 2.6}},
    {"MENKAR", {3.02167, 4.0523, -0.012, -0.074, 2.8}},
    {"MENKENT", {14.06408, -36.2212, -0.52, -0.523, 2.3}},
    {"MIAPLACIDUS", {9.13121, -69.4302, -0.151, 0.102, 1.8}},
    {"MIRFAK", {3.24193, 49.5141, 0.025, -0.022, 1.9}},
    {"NUNKI", {18.55158, -26.1748, 0.013, -0.054, 2.1}},
    {"PEACOCK", {20.25388, -56.4407, 0.016, -0.085, 2.1}},
    {"POLARIS", {2.31505, 89.1551, 0.046, -0.004, 2.1}},
    {"POLLUX", {7.45189, 28.0134, -0.627, -0.051, 1.2}},
    {"PROCYON", {7.39181, 5.133, -0.706, -1.029, 0.5}},
    {"RASALHAGUE", {17.3456, 12.3336, 0.117, -0.227, 2.1}},
    {"REGULUS", {10.08223, 11.5802, -0.249, 0.003, 1.3}},
    {"RIGEL", {5.14322, -8.1206, -0.003, -0.002, 0.3}},
    {"RIGIL KENT", {14.39362, -60.5007, -3.608, 0.474, -0.3}},  // alpha Centauri A
    {"SABIK", {17.10226, -15.4329, 0.038, 0.095, 2.6}},
    {"SCHEDAR", {0.40304, 56.3215, 0.053, -0.027, 2.5}},
    {"SHAULA", {17.33364, -37.0613, 0.001, -0.029, 1.7}},
    {"SIRIUS", {6.45089, -16.4258, -0.545, -1.211, -1.6}},
    {"SPICA", {13.25115, -11.0941, -0.043, -0.033, 1.2}},
    {"SUHAIL", {9.07597, -43.2557, -0.022, 0.012, 2.2}},
    {"VEGA", {18.36562, 38.4701, 0.2, 0.285, 0.1}},
    {"ZUBEN'UBI", {14.50526, -16.0231, -0.108, -0.071, 2.9}},
};

namespace {

// The catalogue's rows by name: an open-addressed table of twice as many
// slots as stars and more, indexed by a hash of the name (FNV-1a), built on
// first use; a name is found by comparing it with the row in its slot and
// the slots after it, until an empty one.
constexpr size_t kNameSlots = 128;

size_t NameHash(std::string_view name) {
    std::uint32_t h = 2166136261u;
    for (char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h % kNameSlots;
}

const std::array<int, kNameSlots>& NameSlots() {
    static const std::array<int, kNameSlots> slots = [] {
        std::array<int, kNameSlots> t;
        t.fill(-1);
        for (int row = 0; row < kStarCount; ++row) {
            size_t slot = NameHash(kStarCatalogue[row].name);
            while (t[slot] >= 0) slot = (slot + 1) % kNameSlots;
            t[slot] = row;
        }
        return t;
    }();
    return slots;
}

}  // namespace

int StarIndex(std::string_view name) {
    const std::array<int, kNameSlots>& slots = NameSlots();
    for (size_t slot = NameHash(name);; slot = (slot + 1) % kNameSlots) {
        const int row = slots[slot];
        if (row < 0 || std::string_view(kStarCatalogue[row].name) == name) return row;
    }
}

CatalogueEntry StarCatalogue(std::string_view name) {
    const int row = StarIndex(name);
    return row >= 0 ? kStarCatalogue[row].entry : CatalogueEntry{};
}

}  // namespace orvex
