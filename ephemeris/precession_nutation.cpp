#include "ephemeris/precession_nutation.h"

#include <array>
#include <cmath>

#include "ephemeris/nutation_table.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"
#include "navlib/nautical_angles.h"

namespace orvex {

namespace {

// IAU 1976 precession from J2000.0, seconds of arc per power of T.
constexpr double kZeta[4] = {0.0, 2306.2181, 0.30188, 0.017998};
constexpr double kTheta[4] = {0.0, 2004.3109, -0.42665, -0.041833};
constexpr double kZ[4] = {0.0, 2306.2181, 1.09468, 0.018203};

// Fundamental arguments of the nutation, degrees per power of T.
constexpr double kElongation[4] = {297.85036, 445267.11148, -0.0019142, 1.0 / 189474.0};
constexpr double kSunAnomaly[4] = {357.52772, 35999.05034, -0.0001603, -1.0 / 300000.0};
constexpr double kMoonAnomaly[4] = {134.96298, 477198.867398, 0.0086972, 1.0 / 56250.0};
constexpr double kMoonLatitude[4] = {93.27191, 483202.017538, -0.0036825, 1.0 / 327270.0};
constexpr double kMoonNode[4] = {125.04452, -1934.136261, 0.0020708, 1.0 / 450000.0};

// Laskar's mean obliquity in powers of U = T / 100: 23d26'21.448", then
// seconds of arc turned into degrees.
constexpr double kLaskar[11] = {23.43929111,      -4680.93 / 3600.0, -1.55 / 3600.0,
                                1999.25 / 3600.0, -51.38 / 3600.0,   -249.67 / 3600.0,
                                -39.05 / 3600.0,  7.12 / 3600.0,     27.87 / 3600.0,
                                5.79 / 3600.0,    2.45 / 3600.0};

}  // namespace

void PrecessionAngles(double T, double& zeta, double& theta, double& z) {
    zeta = PolyEval(T, 3, kZeta);
    theta = PolyEval(T, 3, kTheta);
    z = PolyEval(T, 3, kZ);
}

void ApplyPrecession(double a1, double a2, double a3, double dec, double ra, double& newDec,
                     double& newRa) {
    double delta = 0.0, side = 0.0;
    RotateSpherical(ra + 90.0 - a1, 90.0 - dec, a2, delta, side);
    newDec = 90.0 - side;
    newRa = Norm360(90.0 - delta - a3);
}

namespace {

// The points on the unit circle (cosine, sine) of the multiples -3..3 of
// the five fundamental arguments, at index 7 argument + multiple + 3: each
// term's argument is a sum of such multiples, so its sine and cosine come by
// multiplying the points, not by new sines.
struct Multiples {
    double c[35], s[35];
    void Fill(int argument, double degrees) {
        double* cs = c + 7 * argument;
        double* sn = s + 7 * argument;
        const double a = degrees * kDegToRad;
        cs[3] = 1.0;
        sn[3] = 0.0;
        cs[4] = std::cos(a);
        sn[4] = std::sin(a);
        for (int k = 5; k <= 6; ++k) {
            cs[k] = cs[k - 1] * cs[4] - sn[k - 1] * sn[4];
            sn[k] = sn[k - 1] * cs[4] + cs[k - 1] * sn[4];
        }
        for (int k = 0; k < 3; ++k) {
            cs[k] = cs[6 - k];
            sn[k] = -sn[6 - k];
        }
    }
};

// How the table is summed, worked out on the first call: the terms'
// arguments in two parts, D M M' and F Omega, few distinct ones (27 and 7),
// each the product of its multiples' points and each term one product of its
// two parts. A part's point is its first multiple's point turned by the
// others; a multiple 0 turns by (1, 0), which changes no bit.
struct NutationPlan {
    struct Part {
        int point[3];  // indices into Multiples; only the first two for F Omega
    };
    int parts1 = 0, parts2 = 0;
    std::array<Part, kNutationTermCount> first{}, second{};
    std::array<int, kNutationTermCount + 1> firstOf{}, secondOf{};
};

const NutationPlan& Plan() {
    static const NutationPlan plan = [] {
        NutationPlan p;
        std::array<std::array<int, 3>, kNutationTermCount> firstKeys{};
        std::array<std::array<int, 2>, kNutationTermCount> secondKeys{};
        for (int i = 1; i <= kNutationTermCount; ++i) {
            const NutationTerm& r = kNutationTerms[i];
            const std::array<int, 3> a = {static_cast<int>(r.D), static_cast<int>(r.M),
                                          static_cast<int>(r.Mp)};
            const std::array<int, 2> b = {static_cast<int>(r.F), static_cast<int>(r.Om)};
            int ia = 0, ib = 0;
            while (ia < p.parts1 && firstKeys[static_cast<size_t>(ia)] != a) ++ia;
            if (ia == p.parts1) {
                firstKeys[static_cast<size_t>(p.parts1)] = a;
                for (int k = 0; k < 3; ++k)
                    p.first[static_cast<size_t>(p.parts1)].point[k] =
                        7 * k + a[static_cast<size_t>(k)] + 3;
                ++p.parts1;
            }
            while (ib < p.parts2 && secondKeys[static_cast<size_t>(ib)] != b) ++ib;
            if (ib == p.parts2) {
                secondKeys[static_cast<size_t>(p.parts2)] = b;
                for (int k = 0; k < 2; ++k)
                    p.second[static_cast<size_t>(p.parts2)].point[k] =
                        7 * (3 + k) + b[static_cast<size_t>(k)] + 3;
                ++p.parts2;
            }
            p.firstOf[static_cast<size_t>(i)] = ia;
            p.secondOf[static_cast<size_t>(i)] = ib;
        }
        return p;
    }();
    return plan;
}

// (c, s) turned by the point at index j.
void Turn(const Multiples& m, int j, double& c, double& s) {
    const double x = c * m.c[j] - s * m.s[j];
    s = s * m.c[j] + c * m.s[j];
    c = x;
}

}  // namespace

void Nutation(double T, double& dpsi, double& deps) {
    const NutationPlan& plan = Plan();
    Multiples m;
    m.Fill(0, Norm360(PolyEval(T, 3, kElongation)));
    m.Fill(1, Norm360(PolyEval(T, 3, kSunAnomaly)));
    m.Fill(2, Norm360(PolyEval(T, 3, kMoonAnomaly)));
    m.Fill(3, Norm360(PolyEval(T, 3, kMoonLatitude)));
    m.Fill(4, Norm360(PolyEval(T, 3, kMoonNode)));
    double c1[kNutationTermCount], s1[kNutationTermCount];
    double c2[kNutationTermCount], s2[kNutationTermCount];
    for (int k = 0; k < plan.parts1; ++k) {
        const int* j = plan.first[static_cast<size_t>(k)].point;
        double c = m.c[j[0]], s = m.s[j[0]];
        Turn(m, j[1], c, s);
        Turn(m, j[2], c, s);
        c1[k] = c;
        s1[k] = s;
    }
    for (int k = 0; k < plan.parts2; ++k) {
        const int* j = plan.second[static_cast<size_t>(k)].point;
        double c = m.c[j[0]], s = m.s[j[0]];
        Turn(m, j[1], c, s);
        c2[k] = c;
        s2[k] = s;
    }

    double sumPsi = 0.0, sumEps = 0.0;
    for (int i = 1; i <= kNutationTermCount; ++i) {
        const NutationTerm& r = kNutationTerms[i];
        const int a = plan.firstOf[static_cast<size_t>(i)],
                  b = plan.secondOf[static_cast<size_t>(i)];
        const double cosArg = c1[a] * c2[b] - s1[a] * s2[b];
        const double sinArg = s1[a] * c2[b] + c1[a] * s2[b];
        sumPsi += (r.S + r.S1 * T) * sinArg;
        sumEps += (r.C + r.C1 * T) * cosArg;
    }
    dpsi = sumPsi / 10000.0;
    deps = sumEps / 10000.0;
}

void NutationInRaDec(double eps, double p, double q, double dec, double ra, double& dDec,
                     double& dRa) {
    // p sin eps cos ra, p sin eps sin ra and p cos eps are the rectangular
    // coordinates of a vector of length p at polar distance eps, longitude ra.
    double x = 0.0, y = 0.0, zc = 0.0;
    SphericalToCartesian(p, 90.0 - eps, ra, x, y, zc);
    const double a = ra * kDegToRad;
    dDec = -(x + q * std::sin(a));
    dRa = std::tan(dec * kDegToRad) * (q * std::cos(a) - y) - zc;
}

double MeanObliquityLaskar(double T) {
    return Norm360(PolyEval(T / 100.0, 10, kLaskar));
}

}  // namespace orvex
