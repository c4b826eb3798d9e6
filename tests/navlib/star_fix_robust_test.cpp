// Monte Carlo of the fix (the real ComputeStarFix on ERFA-built sights,
// synthetic_sights.h) against the Cramer-Rao bound of the lines of position
// (their azimuths from ERFA, sight error 0.2'), and of its probability
// ellipse and circle against their levels. Each case draws its altitude
// errors from its own fixed seed through Box-Muller on mt19937, so every
// platform draws the same numbers.
//
// The bound of a case is that of the sights without blunders, for what the
// fix promises: with the systematic error sought, the position with a
// common error as a further unknown; without, the position moved by the
// common error as it moves a plain least-squares fix of every sight (so the
// target is the truth plus that shift, and the bound that of plain least
// squares when no sight is wrong).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "navlib/constants.h"
#include "navlib/hooks.h"
#include "navlib/star_fix.h"
#include "synthetic_sights.h"

using namespace orvex;
using namespace orvex::testing;

namespace {

constexpr double kSigmaMin = 0.2;  // random error of a good sight, minutes of arc

// A 3 x 3 symmetric inverse (the bound of a model with a common error).
bool Invert3(const double m[3][3], double inv[3][3]) {
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (std::fabs(det) < 1e-12) return false;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int a = (j + 1) % 3, b = (j + 2) % 3, c = (i + 1) % 3, d = (i + 2) % 3;
            inv[i][j] = (m[a][c] * m[b][d] - m[a][d] * m[b][c]) / det;
        }
    return true;
}

// Stars in `rounds` rounds (each star again a few minutes later) from a
// ship at 12 knots: the places and the lines of position from ERFA.
struct StarSet {
    Track truth;
    Conditions cond;
    EarthModel E = Wgs84();
    std::vector<PlannedSight> plan;
    std::vector<double> az, alt, gha, dec;

    StarSet(double lat, int stars, int rounds = 1) {
        truth = {lat, -31.8, kDay + 22 * kHour, 60.0, 12.0};
        const double step = 36.0 / (stars * rounds) * kMinute;
        std::vector<double> times;
        for (int k = 0; k < stars; ++k) times.push_back(kDay + 21.8 * kHour + k * step);
        const std::vector<PlannedSight> first = SpreadStars(truth, times, E);
        for (int r = 0; r < rounds; ++r)
            for (int k = 0; k < stars; ++k)
                plan.push_back({first[static_cast<size_t>(k)].time + r * stars * step,
                                first[static_cast<size_t>(k)].body});
        for (const PlannedSight& p : plan) {
            double la, lo, g = 0, d = 0, dist = 0, h = 0, a = 0;
            truth.At(p.time, E, la, lo);
            ErfaStarPlace(p.body, p.time, g, d, dist);
            ErfaAltAz(la, lo, g, d, h, a);
            az.push_back(a);
            alt.push_back(h);
            gha.push_back(g);
            dec.push_back(d);
        }
    }
    size_t size() const { return plan.size(); }

    ObservationSet Sights(const std::vector<double>& errMin) const {
        ObservationSet obs(static_cast<int>(size()));
        for (size_t k = 0; k < size(); ++k)
            obs.SetSight(static_cast<int>(k) + 1, plan[k].time, plan[k].body,
                         SextantAltitude(alt[k] + errMin[k] / 60.0, plan[k].body, 272000.0, cond),
                         cond.instErrDeg);
        return obs;
    }

    EphemerisFunction Places() const {
        return [this](const std::string& body, double t, double& g, double& d, double& dist) {
            g = d = dist = std::nan("");
            for (size_t k = 0; k < size(); ++k)
                if (plan[k].body == body && plan[k].time == t) {
                    g = gha[k];
                    d = dec[k];
                    dist = 272000.0;
                }
        };
    }

    // The plain least-squares shift (north, east, miles) of an error of 1'
    // common to every sight.
    void PlainShift(double& north, double& east) const {
        double nn = 0, ne = 0, ee = 0, bn = 0, be = 0;
        for (double a : az) {
            const double c = std::cos(a * kDegToRad), s = std::sin(a * kDegToRad);
            nn += c * c, ne += c * s, ee += s * s, bn += c, be += s;
        }
        const double det = nn * ee - ne * ne;
        north = (ee * bn - ne * be) / det;
        east = (nn * be - ne * bn) / det;
    }

    // The Cramer-Rao bound (miles, radial RMS) of the target for the sights
    // not listed in `wrong`; with `joint` the common error is an unknown.
    double Bound(const std::vector<size_t>& wrong, bool sought) const {
        double M[3][3] = {}, Q[3][3];
        for (size_t k = 0; k < size(); ++k) {
            bool bad = false;
            for (size_t w : wrong) bad = bad || w == k;
            if (bad) continue;
            const double row[3] = {std::cos(az[k] * kDegToRad), std::sin(az[k] * kDegToRad), 1.0};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j) M[i][j] += row[i] * row[j];
        }
        if (!Invert3(M, Q)) return NAN;
        double g[2] = {0, 0};
        if (!sought) PlainShift(g[0], g[1]);
        // trace of J Q J^T, J = [I g].
        double t = 0;
        for (int i = 0; i < 2; ++i) t += Q[i][i] + 2.0 * g[i] * Q[i][2] + g[i] * g[i] * Q[2][2];
        return kSigmaMin * std::sqrt(t);
    }
};

double Gauss(std::mt19937& gen) {
    const double u1 = (gen() + 1.0) / 4294967297.0, u2 = gen() / 4294967296.0;
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.141592653589793 * u2);
}

// North and east miles from (lat1, lon1) to (lat2, lon2).
void MilesApart(double lat1, double lon1, double lat2, double lon2, double& n, double& e) {
    n = 60.0 * (lat2 - lat1);
    e = 60.0 * std::remainder(lon2 - lon1, 360.0) * std::cos((lat1 + lat2) / 2.0 * kDegToRad);
}

struct Case {
    const char* name;
    double lat;
    int stars, rounds;
    double offsetMin;              // common to every sight
    std::vector<double> blunders;  // minutes, on sights chosen by `where`
    enum Where { EachInTurn, WideGap, PairsInTurn } where;
    bool sought;   // the systematic error sought
    double limit;  // RMS error / RMS bound at most
};

struct Figures {
    double rms = 0, rmsBound = 0, maxErr = 0, systErrRms = 0;
    int unsolved = 0, namedGood = 0;
};

// The sight alone in the widest gap of azimuths: the one whose neighbours
// on either side are farthest apart.
size_t LoneSight(const StarSet& set) {
    size_t best = 0;
    double widest = 0;
    for (size_t k = 0; k < set.size(); ++k) {
        double left = 360, right = 360;
        for (size_t j = 0; j < set.size(); ++j) {
            if (j == k) continue;
            const double d = std::fmod(set.az[j] - set.az[k] + 720.0, 360.0);
            right = std::min(right, d);
            left = std::min(left, 360.0 - d);
        }
        if (left + right > widest) widest = left + right, best = k;
    }
    return best;
}

Figures RunCase(const Case& c, int trials, unsigned seed) {
    const StarSet set(c.lat, c.stars, c.rounds);
    const size_t n = set.size();
    double gN = 0, gE = 0;
    set.PlainShift(gN, gE);
    std::mt19937 gen(seed);
    Figures f;
    for (int t = 0; t < trials; ++t) {
        std::vector<double> e(n);
        for (double& v : e) v = kSigmaMin * Gauss(gen) + c.offsetMin;
        std::vector<size_t> wrong;
        if (c.where == Case::WideGap) wrong = {LoneSight(set)};
        if (c.where == Case::EachInTurn && !c.blunders.empty())
            wrong = {static_cast<size_t>(t) % n};
        if (c.where == Case::PairsInTurn)
            wrong = {static_cast<size_t>(t) % n, (static_cast<size_t>(t) + 1 + t / n) % n};
        for (size_t k = 0; k < wrong.size() && k < c.blunders.size(); ++k)
            e[wrong[k]] += c.blunders[k];

        RecordingReporter rec;
        StarFixInputs in = MakeInputs(set.truth, set.truth.t0 - 1.5 * kHour, set.truth.t0, 15.0,
                                      -20.0, set.truth.course, set.truth.speed, set.cond, set.E);
        in.Ephemeris = set.Places();
        in.FindSystErr = c.sought;
        ObservationSet obs = set.Sights(e);
        FixResult fix;
        if (ComputeStarFix(in, obs, fix, set.E) != StarFixStatus::Solved) ++f.unsolved;
        double dn, de;
        MilesApart(set.truth.lat, set.truth.lon, fix.MppLat, fix.MppLong, dn, de);
        if (!c.sought) dn -= c.offsetMin * gN, de -= c.offsetMin * gE;
        const double err2 = dn * dn + de * de;
        const double b = set.Bound(wrong, c.sought);
        f.rms += err2;
        f.rmsBound += b * b;
        f.maxErr = std::max(f.maxErr, std::sqrt(err2));
        if (c.sought) f.systErrRms += (fix.SystErr - c.offsetMin) * (fix.SystErr - c.offsetMin);
        for (const auto& m : rec.messages) {
            bool named = false;
            for (size_t w : wrong)
                named = named || m.text.find(set.plan[w].body + " at") != std::string::npos;
            if (m.title == "Wrong observation" && !named) ++f.namedGood;
        }
    }
    f.rms = std::sqrt(f.rms / trials);
    f.rmsBound = std::sqrt(f.rmsBound / trials);
    f.systErrRms = std::sqrt(f.systErrRms / trials);
    std::printf("%-34s RMS %.3f nm (bound %.3f, ratio %.3f), max %.3f, SystErr RMS %.3f'\n", c.name,
                f.rms, f.rmsBound, f.rms / f.rmsBound, f.maxErr, f.systErrRms);
    return f;
}

}  // namespace

// The fix at the bound: clean sights, one or two blunders, a common error
// with the systematic error sought or not, a common error and a blunder.
TEST(StarFixMonteCarlo, NearTheBoundWithBlundersAndCommonErrors) {
    using W = Case::Where;
    const std::vector<Case> cases = {
        {"clean 5 sights 38 N", 38.2, 5, 1, 0, {}, W::EachInTurn, false, 1.07},
        {"clean 10 sights 38 N", 38.2, 10, 1, 0, {}, W::EachInTurn, false, 1.07},
        {"clean 30 sights 38 N", 38.2, 10, 3, 0, {}, W::EachInTurn, false, 1.07},
        {"clean 5 sights 72 N", 72.0, 5, 1, 0, {}, W::EachInTurn, false, 1.07},
        {"clean 10 sights 72 N", 72.0, 10, 1, 0, {}, W::EachInTurn, false, 1.07},
        {"clean 30 sights 72 N", 72.0, 10, 3, 0, {}, W::EachInTurn, false, 1.07},
        {"20' blunder 38 N", 38.2, 10, 1, 0, {20}, W::EachInTurn, false, 1.3},
        {"20' blunder 72 N", 72.0, 10, 1, 0, {20}, W::EachInTurn, false, 1.3},
        {"20' blunder in the wide gap 72 N", 72.0, 10, 1, 0, {20}, W::WideGap, false, 1.3},
        {"two 10' blunders 38 N", 38.2, 10, 1, 0, {10, 10}, W::PairsInTurn, false, 1.3},
        {"two 10' blunders 72 N", 72.0, 10, 1, 0, {10, 10}, W::PairsInTurn, false, 1.3},
        {"20' blunder sought 38 N", 38.2, 10, 1, 0, {20}, W::EachInTurn, true, 1.3},
        {"20' blunder sought 72 N", 72.0, 10, 1, 0, {20}, W::EachInTurn, true, 1.3},
        {"common 1' not sought", 38.2, 10, 1, 1, {}, W::EachInTurn, false, 1.07},
        {"common 2' not sought", 38.2, 10, 1, 2, {}, W::EachInTurn, false, 1.07},
        {"common 5' not sought", 38.2, 10, 1, 5, {}, W::EachInTurn, false, 1.07},
        {"common 1' sought", 38.2, 10, 1, 1, {}, W::EachInTurn, true, 1.07},
        {"common 2' sought", 38.2, 10, 1, 2, {}, W::EachInTurn, true, 1.07},
        {"common 5' sought", 38.2, 10, 1, 5, {}, W::EachInTurn, true, 1.07},
        {"common 3' + 15' blunder sought 44 N", 44.0, 12, 1, 3, {15}, W::EachInTurn, true, 1.3},
        {"common 3' + 20' blunder not sought", 38.2, 10, 1, 3, {20}, W::EachInTurn, false, 1.3},
        {"common 3' + 15' in the gap not sought", 72.0, 10, 1, 3, {15}, W::WideGap, false, 1.3},
        {"common 3' + 15' in the gap sought", 72.0, 10, 1, 3, {15}, W::WideGap, true, 1.3},
    };
    unsigned seed = 20261209;
    for (const Case& c : cases) {
        const Figures f = RunCase(c, 300, seed++);
        EXPECT_EQ(f.unsolved, 0) << c.name;
        EXPECT_EQ(f.namedGood, 0) << c.name;
        EXPECT_LE(f.rms, c.limit * f.rmsBound) << c.name;
    }
}

// Without the systematic error sought, a common error moves the fix exactly
// as it moves a plain least-squares fix, with a blunder among the sights or
// not, and moves no weight; sought, it moves neither the fix nor the weights
// and is found whole.
TEST(StarFixMonteCarlo, CommonErrorMovesTheFixAsPlainLeastSquares) {
    const StarSet set(38.2, 10);
    double gN = 0, gE = 0;
    set.PlainShift(gN, gE);
    std::mt19937 gen(77);
    RecordingReporter rec;
    double worstShift = 0, worstSought = 0, worstSystErr = 0, worstWeight = 0;
    for (int t = 0; t < 40; ++t) {
        std::vector<double> e(set.size());
        for (double& v : e) v = kSigmaMin * Gauss(gen);
        if (t % 2) e[static_cast<size_t>(t) % set.size()] += 20.0;
        for (bool sought : {false, true}) {
            auto solve = [&](double offset, FixResult& fix, ObservationSet& obs) {
                std::vector<double> f = e;
                for (double& v : f) v += offset;
                StarFixInputs in =
                    MakeInputs(set.truth, set.truth.t0 - 1.5 * kHour, set.truth.t0, 15.0, -20.0,
                               set.truth.course, set.truth.speed, set.cond, set.E);
                in.Ephemeris = set.Places();
                in.FindSystErr = sought;
                obs = set.Sights(f);
                ASSERT_EQ(ComputeStarFix(in, obs, fix, set.E), StarFixStatus::Solved);
            };
            FixResult base, moved;
            ObservationSet o0, o1;
            solve(0.0, base, o0);
            for (double offset : {2.0, 5.0}) {
                solve(offset, moved, o1);
                double dn, de;
                MilesApart(base.MppLat, base.MppLong, moved.MppLat, moved.MppLong, dn, de);
                if (sought) {
                    worstSought = std::max(worstSought, std::hypot(dn, de));
                    worstSystErr =
                        std::max(worstSystErr, std::fabs(moved.SystErr - base.SystErr - offset));
                } else {
                    worstShift =
                        std::max(worstShift, std::hypot(dn - offset * gN, de - offset * gE));
                }
                for (int i = 1; i <= o0.ObsCount; ++i)
                    worstWeight =
                        std::max(worstWeight, std::fabs(o1.ObsWeight(i) - o0.ObsWeight(i)));
            }
        }
    }
    std::printf(
        "common error: shift off plain %.5f nm, sought moved %.5f nm, SystErr off %.5f', "
        "weights moved %.2g\n",
        worstShift, worstSought, worstSystErr, worstWeight);
    EXPECT_LT(worstShift, 0.003);
    EXPECT_LT(worstSought, 0.003);
    EXPECT_LT(worstSystErr, 0.003);
    EXPECT_LT(worstWeight, 0.005);
}

// The ellipse and the circle hold their probability, from 3 sights (one to
// spare: a deviation estimated on one degree of freedom) to 50 (robust).
// The truth lies within the ellipse when its Mahalanobis distance, from the
// deviations and the correlation, is within the ellipse's scale.
TEST(StarFixMonteCarlo, EllipseAndCircleHoldTheirLevel) {
    const double levels[] = {0.5, 0.95, 0.99, 0.999};
    int pooledTrials = 0, pooledOutside999 = 0;
    unsigned seed = 99;
    struct Set {
        double lat;
        int stars, rounds;
    };
    for (const Set& s : {Set{38.2, 3, 1}, Set{72.0, 4, 1}, Set{38.2, 5, 1}, Set{72.0, 6, 1},
                         Set{38.2, 7, 1}, Set{72.0, 8, 1}, Set{38.2, 10, 1}, Set{72.0, 10, 1},
                         Set{72.0, 10, 3}, Set{38.2, 10, 5}}) {
        const StarSet set(s.lat, s.stars, s.rounds);
        std::mt19937 gen(seed++);
        const int trials = 400;
        int outside[4] = {}, outsideCircle[4] = {};
        for (int t = 0; t < trials; ++t) {
            std::vector<double> e(set.size());
            for (double& v : e) v = kSigmaMin * Gauss(gen);
            for (int l = 0; l < 4; ++l) {
                RecordingReporter rec;
                StarFixInputs in =
                    MakeInputs(set.truth, set.truth.t0 - 1.5 * kHour, set.truth.t0, 15.0, -20.0,
                               set.truth.course, set.truth.speed, set.cond, set.E);
                in.Ephemeris = set.Places();
                in.Proba = levels[l];
                ObservationSet obs = set.Sights(e);
                FixResult fix;
                ASSERT_EQ(ComputeStarFix(in, obs, fix, set.E), StarFixStatus::Solved);
                double dn, de;
                MilesApart(set.truth.lat, set.truth.lon, fix.MppLat, fix.MppLong, dn, de);
                const double sn = fix.StdDev(1) * 60.0;
                const double se = fix.StdDev(2) * 60.0 * std::cos(fix.MppLat * kDegToRad);
                const double rho = fix.Correlation;
                const double u = dn / sn, v = de / se;
                const double d2 = (u * u - 2.0 * rho * u * v + v * v) / (1.0 - rho * rho);
                const double k = fix.EllipseNS / fix.StdDev(1);
                ASSERT_NEAR(fix.EllipseEW / fix.StdDev(2), k, 1e-9 * k);
                outside[l] += d2 > k * k;
                outsideCircle[l] += std::hypot(dn, de) > fix.CircleRadius * 60.0;
            }
        }
        std::printf(
            "%2zu sights %.0f N: outside the ellipse %d %d %d %d, the circle %d %d %d %d of %d\n",
            set.size(), s.lat, outside[0], outside[1], outside[2], outside[3], outsideCircle[0],
            outsideCircle[1], outsideCircle[2], outsideCircle[3], trials);
        // Within four binomial deviations of the level.
        for (int l = 0; l < 3; ++l) {
            const double q = 1.0 - levels[l];
            const double allowed = 4.0 * std::sqrt(q * (1.0 - q) * trials) + 1.0;
            EXPECT_NEAR(outside[l], q * trials, allowed) << set.size() << " " << levels[l];
            EXPECT_NEAR(outsideCircle[l], q * trials, allowed) << set.size() << " " << levels[l];
        }
        pooledTrials += trials;
        pooledOutside999 += outside[3] + outsideCircle[3];
    }
    // 0.999: too rare for one set; pooled over all (ellipse and circle).
    EXPECT_LE(pooledOutside999,
              2.0 * 0.001 * pooledTrials + 4.0 * std::sqrt(2.0 * 0.001 * pooledTrials) + 1.0);
}
