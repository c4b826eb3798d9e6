#include "navlib/robust_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <type_traits>

#include "navlib/least_squares.h"

namespace orvex {

namespace {

constexpr int kMaxPasses = 1000;
// Elemental sets: all of them when there are at most kMaxElementalSets, else
// kSampledSets drawn (with 20 % wrong sights a set of five is free of them
// with probability 0.33: 30 draws all miss with probability 6e-6; two wrong
// of ten leave a set of three free with probability 0.47).
constexpr int kMaxElementalSets = 40;
constexpr int kSampledSets = 30;
constexpr int kConcentrationSteps = 2;
// A residual beyond this many scales by the median is a gross error.
constexpr double kGrossError = 3.0 * kTukeyConstant;
// The median absolute residual times this is the standard deviation of
// normal errors.
constexpr double kMadToSigma = 1.4826;
// A Cholesky pivot below this share of its diagonal element is 0: the
// columns depend on one another.
constexpr double kPivotShare = 1e-13;

using Unknowns = std::array<double, kMaxFitUnknowns>;

size_t At(int i, int j, int p) {
    return static_cast<size_t>(i * p + j);
}

// Calls f with the number of unknowns p (1..kMaxFitUnknowns) as a constant,
// so that the loops over the unknowns unroll.
template <typename F>
decltype(auto) WithUnknowns(int p, F&& f) {
    switch (p) {
        case 1:
            return f(std::integral_constant<int, 1>{});
        case 2:
            return f(std::integral_constant<int, 2>{});
        case 3:
            return f(std::integral_constant<int, 3>{});
        case 4:
            return f(std::integral_constant<int, 4>{});
        default:
            return f(std::integral_constant<int, kMaxFitUnknowns>{});
    }
}

template <int P>
double RowTimes(const double* row, const double* z) {
    double v = 0.0;
#pragma GCC unroll 8
    for (int j = 0; j < P; ++j) v += row[j] * z[j];
    return v;
}

void Residuals(const FitSystem& s, const double* z, std::vector<double>& r) {
    r.resize(static_cast<size_t>(s.m));
    WithUnknowns(s.p, [&](auto P) {
        const double* row = s.a.data();
        for (int i = 0; i < s.m; ++i, row += P)
            r[static_cast<size_t>(i)] = RowTimes<P>(row, z) - s.b[static_cast<size_t>(i)];
    });
}

// N = sum of w(i) row(i)^T row(i) and c = sum of w(i) b(i) row(i) over the
// rows listed (all when `rows` is null); w nullptr means 1. P unknowns, so
// that the loops over them unroll.
template <int P>
void NormalEquationsOf(const FitSystem& s, const double* w, const std::vector<int>* rows,
                       FitMatrix& N, Unknowns& c) {
    double n[P][P] = {}, v[P] = {};
    auto add = [&](int i) {
        const double wi = w ? w[i] : 1.0;
        if (wi == 0.0) return;
        const double* row = &s.a[static_cast<size_t>(i) * P];
        const double wb = wi * s.b[static_cast<size_t>(i)];
#pragma GCC unroll 8
        for (int j = 0; j < P; ++j) {
            const double wr = wi * row[j];
#pragma GCC unroll 8
            for (int k = j; k < P; ++k) n[j][k] += wr * row[k];
            v[j] += wb * row[j];
        }
    };
    if (rows)
        for (int i : *rows) add(i);
    else
        for (int i = 0; i < s.m; ++i) add(i);
    N.fill(0.0);
    c.fill(0.0);
    for (int j = 0; j < P; ++j) {
        c[static_cast<size_t>(j)] = v[j];
        for (int k = j; k < P; ++k) N[At(j, k, P)] = N[At(k, j, P)] = n[j][k];
    }
}

void NormalEquations(const FitSystem& s, const double* w, const std::vector<int>* rows,
                     FitMatrix& N, Unknowns& c) {
    WithUnknowns(s.p, [&](auto P) { NormalEquationsOf<P>(s, w, rows, N, c); });
}

// N = U^T U, U upper triangular.
ArithmeticFault Cholesky(int p, const FitMatrix& N, FitMatrix& U) {
    U.fill(0.0);
    for (int i = 0; i < p; ++i) {
        double d = N[At(i, i, p)];
        for (int k = 0; k < i; ++k) d -= U[At(k, i, p)] * U[At(k, i, p)];
        if (std::isnan(d)) return ArithmeticFault::Overflow;
        if (d < 0.0) return ArithmeticFault::InvalidArgument;
        if (d <= kPivotShare * N[At(i, i, p)] || d == 0.0) return ArithmeticFault::DivisionByZero;
        const double u = std::sqrt(d);
        U[At(i, i, p)] = u;
        for (int j = i + 1; j < p; ++j) {
            double v = N[At(i, j, p)];
            for (int k = 0; k < i; ++k) v -= U[At(k, i, p)] * U[At(k, j, p)];
            U[At(i, j, p)] = v / u;
        }
    }
    for (double v : U)
        if (!std::isfinite(v)) return ArithmeticFault::Overflow;
    return ArithmeticFault::None;
}

// U^T U z = c.
void SolveFactored(int p, const FitMatrix& U, const Unknowns& c, Unknowns& z) {
    Unknowns y{};
    for (int i = 0; i < p; ++i) {
        double v = c[static_cast<size_t>(i)];
        for (int k = 0; k < i; ++k) v -= U[At(k, i, p)] * y[static_cast<size_t>(k)];
        y[static_cast<size_t>(i)] = v / U[At(i, i, p)];
    }
    for (int i = p - 1; i >= 0; --i) {
        double v = y[static_cast<size_t>(i)];
        for (int k = i + 1; k < p; ++k) v -= U[At(i, k, p)] * z[static_cast<size_t>(k)];
        z[static_cast<size_t>(i)] = v / U[At(i, i, p)];
    }
}

// (U^T U)^-1.
void InverseFactored(int p, const FitMatrix& U, FitMatrix& Q) {
    FitMatrix V{};  // U^-1, upper triangular
    for (int j = 0; j < p; ++j) {
        V[At(j, j, p)] = 1.0 / U[At(j, j, p)];
        for (int i = j - 1; i >= 0; --i) {
            double v = 0.0;
            for (int k = i + 1; k <= j; ++k) v += U[At(i, k, p)] * V[At(k, j, p)];
            V[At(i, j, p)] = -v / U[At(i, i, p)];
        }
    }
    Q.fill(0.0);
    for (int i = 0; i < p; ++i)
        for (int j = i; j < p; ++j) {
            double v = 0.0;
            for (int k = j; k < p; ++k) v += V[At(i, k, p)] * V[At(j, k, p)];
            Q[At(i, j, p)] = Q[At(j, i, p)] = v;
        }
}

// Weighted least squares over the rows listed (all when nullptr).
ArithmeticFault Solve(const FitSystem& s, const double* w, const std::vector<int>* rows,
                      Unknowns& z, FitMatrix* U = nullptr) {
    FitMatrix N{}, Uw{};
    Unknowns c{};
    NormalEquations(s, w, rows, N, c);
    if (const ArithmeticFault f = Cholesky(s.p, N, Uw); f != ArithmeticFault::None) return f;
    Unknowns x{};
    SolveFactored(s.p, Uw, c, x);
    for (int j = 0; j < s.p; ++j)
        if (!std::isfinite(x[static_cast<size_t>(j)])) return ArithmeticFault::Overflow;
    z = x;
    if (U) *U = Uw;
    return ArithmeticFault::None;
}

// The p x p system of the rows listed, by elimination with partial pivoting,
// on the design with each column divided by its largest entry (`scaled`, so
// z comes in those units). False when it is singular.
template <int P>
bool SolveElementalOf(const FitSystem& s, const std::vector<double>& scaled, const int* rows,
                      Unknowns& z) {
    double M[P][P + 1];
    for (int i = 0; i < P; ++i) {
        const double* row = &scaled[At(rows[i], 0, P)];
        for (int j = 0; j < P; ++j) M[i][j] = row[j];
        M[i][P] = s.b[static_cast<size_t>(rows[i])];
    }
    for (int k = 0; k < P; ++k) {
        int piv = k;
        for (int i = k + 1; i < P; ++i)
            if (std::fabs(M[i][k]) > std::fabs(M[piv][k])) piv = i;
        if (!(std::fabs(M[piv][k]) > 1e-9)) return false;
        if (piv != k)
            for (int j = k; j <= P; ++j) std::swap(M[k][j], M[piv][j]);
        const double inverse = 1.0 / M[k][k];
        for (int i = k + 1; i < P; ++i) {
            const double f = M[i][k] * inverse;
            for (int j = k + 1; j <= P; ++j) M[i][j] -= f * M[k][j];
        }
    }
    for (int i = P - 1; i >= 0; --i) {
        double v = M[i][P];
        for (int j = i + 1; j < P; ++j) v -= M[i][j] * z[static_cast<size_t>(j)];
        z[static_cast<size_t>(i)] = v / M[i][i];
    }
    return true;
}

bool SolveElemental(const FitSystem& s, const std::vector<double>& scaled, const int* rows,
                    Unknowns& z) {
    return WithUnknowns(s.p, [&](auto P) { return SolveElementalOf<P>(s, scaled, rows, z); });
}

// The number of elemental sets, C(m, p), capped above the sampling limit.
int ElementalSetCount(int m, int p) {
    double c = 1.0;
    for (int k = 0; k < p; ++k) {
        c = c * (m - k) / (k + 1);
        if (c > kMaxElementalSets) return kMaxElementalSets + 1;
    }
    return static_cast<int>(std::lround(c));
}

// The h-th smallest absolute residual of z when it is below `best`, else
// `best` itself; `scratch` holds m doubles. Gives up as soon as more than
// m - h residuals reach `best`.
template <int P>
double OrderStatisticOf(const FitSystem& s, const Unknowns& z, int h, double best,
                        std::vector<double>& scratch) {
    int below = 0, above = 0;
    const double* row = s.a.data();
    for (int i = 0; i < s.m; ++i, row += P) {
        const double v = std::fabs(RowTimes<P>(row, z.data()) - s.b[static_cast<size_t>(i)]);
        if (v < best) {
            scratch[static_cast<size_t>(below++)] = v;
        } else if (++above > s.m - h) {
            return best;
        }
    }
    std::nth_element(scratch.begin(), scratch.begin() + (h - 1), scratch.begin() + below);
    return scratch[static_cast<size_t>(h - 1)];
}

double OrderStatistic(const FitSystem& s, const Unknowns& z, int h, double best,
                      std::vector<double>& scratch) {
    return WithUnknowns(s.p, [&](auto P) { return OrderStatisticOf<P>(s, z, h, best, scratch); });
}

int HalfSet(const FitSystem& s) {
    return (s.m + s.p + 1) / 2;
}

// The rows of the h smallest absolute residuals.
void BestRows(const std::vector<double>& r, int h, std::vector<int>& rows) {
    rows.resize(r.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::nth_element(rows.begin(), rows.begin() + (h - 1), rows.end(), [&r](int a, int b) {
        return std::fabs(r[static_cast<size_t>(a)]) < std::fabs(r[static_cast<size_t>(b)]);
    });
    rows.resize(static_cast<size_t>(h));
}

double SumOfSmallestSquares(const std::vector<double>& r, const std::vector<int>& rows) {
    double v = 0.0;
    for (int i : rows) v += r[static_cast<size_t>(i)] * r[static_cast<size_t>(i)];
    return v;
}

// Least squares on the h rows that fit best, while that lowers their sum
// of squares (the least-trimmed-squares concentration step).
void Concentrate(const FitSystem& s, Unknowns& z) {
    const int h = HalfSet(s);
    std::vector<double> r;
    std::vector<int> rows;
    Residuals(s, z.data(), r);
    BestRows(r, h, rows);
    double objective = SumOfSmallestSquares(r, rows);
    for (int step = 0; step < kConcentrationSteps; ++step) {
        Unknowns next{};
        if (Solve(s, nullptr, &rows, next) != ArithmeticFault::None) return;
        Residuals(s, next.data(), r);
        std::vector<int> nextRows;
        BestRows(r, h, nextRows);
        const double value = SumOfSmallestSquares(r, nextRows);
        if (!(value < objective)) return;
        z = next;
        objective = value;
        rows.swap(nextRows);
    }
}

// The inverse of the standard normal distribution function, 0 < q < 1
// (Acklam's rational approximation refined by one Halley step: 1e-15).
double NormalQuantile(double q) {
    static const double a[] = {-3.969683028665376e+01, 2.209460984245205e+02,
                               -2.759285104469687e+02, 1.383577518672690e+02,
                               -3.066479806614716e+01, 2.506628277459239e+00};
    static const double b[] = {-5.447609879822406e+01, 1.615858368580409e+02,
                               -1.556989798598866e+02, 6.680131188771972e+01,
                               -1.328068155288572e+01};
    static const double c[] = {-7.784894002430293e-03, -3.223964580411365e-01,
                               -2.400758277161838e+00, -2.549732539343734e+00,
                               4.374664141464968e+00,  2.938163982698783e+00};
    static const double d[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                               3.754408661907416e+00};
    double x;
    if (q < 0.02425) {
        const double t = std::sqrt(-2.0 * std::log(q));
        x = (((((c[0] * t + c[1]) * t + c[2]) * t + c[3]) * t + c[4]) * t + c[5]) /
            ((((d[0] * t + d[1]) * t + d[2]) * t + d[3]) * t + 1.0);
    } else if (q > 1.0 - 0.02425) {
        const double t = std::sqrt(-2.0 * std::log(1.0 - q));
        x = -(((((c[0] * t + c[1]) * t + c[2]) * t + c[3]) * t + c[4]) * t + c[5]) /
            ((((d[0] * t + d[1]) * t + d[2]) * t + d[3]) * t + 1.0);
    } else {
        const double u = q - 0.5, t = u * u;
        x = (((((a[0] * t + a[1]) * t + a[2]) * t + a[3]) * t + a[4]) * t + a[5]) * u /
            (((((b[0] * t + b[1]) * t + b[2]) * t + b[3]) * t + b[4]) * t + 1.0);
    }
    const double e = 0.5 * std::erfc(-x / std::sqrt(2.0)) - q;
    const double g = e * std::sqrt(2.0 * 3.14159265358979323846) * std::exp(x * x / 2.0);
    return x - g / (1.0 + x * g / 2.0);
}

// The mean square of a standard normal variable kept within the central
// share of its distribution (1 for the whole of it).
double TrimmedNormalVariance(double share) {
    if (share >= 1.0) return 1.0;
    const double q = NormalQuantile((1.0 + share) / 2.0);
    const double density = std::exp(-q * q / 2.0) / std::sqrt(2.0 * 3.14159265358979323846);
    return 1.0 - 2.0 * q * density / share;
}

// The root mean square of the residuals whose squares are `r2` (of m
// equations, `out` of them set aside as wrong beforehand) without the
// largest of them, as many as (m - p) / 3 less those set aside, divided by
// the mean square of a normal variable within the central share of its
// distribution that is kept and by the degrees of freedom: the standard
// deviation of normal errors, unmoved by as many wrong equations as the
// third of the spare ones. Reorders r2.
double TrimmedScale(const FitSystem& s, std::vector<double>& r2, int out = 0) {
    const int n = static_cast<int>(r2.size());
    const int trim = std::max((s.m - s.p) / 3 - out, 0);
    const int kept = n - trim;
    if (kept <= 0 || n <= s.p) return 0.0;
    std::nth_element(r2.begin(), r2.begin() + (kept - 1), r2.end());
    double sum = 0.0;
    for (int i = 0; i < kept; ++i) sum += r2[static_cast<size_t>(i)];
    const double share = static_cast<double>(kept) / n;
    return std::sqrt(sum / ((n - s.p) * share * TrimmedNormalVariance(share)));
}

// The covariance of the fit as a least-squares fit with the final weights
// held fixed, (M^T W M)^-1 (M^T W^2 M) (M^T W M)^-1 s^2, with s^2 the mean
// square residual of the equations that count (weight above 0) on their
// degrees of freedom: for good sights, whose weights are near 1, that of
// plain least squares; a sight weighted out counts for nothing. Written to
// cov and dof only when it succeeds.
ArithmeticFault RobustCovariance(const FitSystem& s, const FitOutcome& out, FitMatrix& cov,
                                 int& dof) {
    const int p = s.p;
    int counted = 0;
    double sum = 0.0;
    std::vector<double> w2(out.w.size());
    for (int i = 0; i < s.m; ++i) {
        const double w = out.w[static_cast<size_t>(i)];
        w2[static_cast<size_t>(i)] = w * w;
        if (w <= 0.0) continue;
        ++counted;
        sum += out.r[static_cast<size_t>(i)] * out.r[static_cast<size_t>(i)];
    }
    const int freedom = counted - p;
    if (freedom <= 0) {
        dof = 0;
        cov.fill(0.0);
        return ArithmeticFault::None;
    }
    // The sights weighted out were chosen as those that fit worst: among
    // good ones, the others then agree better than good sights do. The
    // variance is never below that of the scale of every residual.
    std::vector<double> r2;
    for (size_t i = 0; i < out.r.size(); ++i)
        if (out.w[i] > 0.0) r2.push_back(out.r[i] * out.r[i]);
    const double all = TrimmedScale(s, r2, s.m - counted);
    const double s2 = std::max(sum / freedom, all * all);
    FitMatrix N{}, U{}, Q{}, N2{};
    Unknowns c{};
    NormalEquations(s, out.w.data(), nullptr, N, c);
    NormalEquations(s, w2.data(), nullptr, N2, c);
    if (const ArithmeticFault f = Cholesky(p, N, U); f != ArithmeticFault::None) return f;
    InverseFactored(p, U, Q);
    FitMatrix T{};  // Q N2
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < p; ++j) {
            double v = 0.0;
            for (int k = 0; k < p; ++k) v += Q[At(i, k, p)] * N2[At(k, j, p)];
            T[At(i, j, p)] = v;
        }
    cov.fill(0.0);
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < p; ++j) {
            double v = 0.0;
            for (int k = 0; k < p; ++k) v += T[At(i, k, p)] * Q[At(k, j, p)];
            cov[At(i, j, p)] = s2 * v;
        }
    dof = freedom;
    return ArithmeticFault::None;
}

}  // namespace

double ResidualScale(const FitSystem& s, const double* z, double leastScale) {
    std::vector<double> r;
    Residuals(s, z, r);
    const int m = s.m, p = s.p;
    if (m <= p) return leastScale;
    for (double& v : r) v *= v;
    const size_t half = r.size() / 2;
    std::nth_element(r.begin(), r.begin() + static_cast<std::ptrdiff_t>(half), r.end());
    double median = std::sqrt(r[half]);
    if (r.size() % 2 == 0)
        median = (median + std::sqrt(*std::max_element(
                               r.begin(), r.begin() + static_cast<std::ptrdiff_t>(half)))) /
                 2.0;
    const double byMedian = kMadToSigma * (1.0 + 5.0 / (m - p)) * median;
    // Residuals the median already shows to be grossly wrong are left out
    // first (far enough out that a median small by chance takes no good
    // residual with them).
    const double limit = kGrossError * byMedian;
    std::vector<double> kept;
    for (double v : r)
        if (v <= limit * limit) kept.push_back(v);
    const int wrong = m - static_cast<int>(kept.size());
    return std::max({byMedian, TrimmedScale(s, kept, wrong), leastScale});
}

ArithmeticFault SolvePlain(const FitSystem& s, Unknowns& z) {
    if (s.p < 1 || s.p > kMaxFitUnknowns) return ArithmeticFault::InvalidArgument;
    return Solve(s, nullptr, nullptr, z);
}

ArithmeticFault FitPlain(const FitSystem& s, FitOutcome& out) {
    if (s.p < 1 || s.p > kMaxFitUnknowns) return ArithmeticFault::InvalidArgument;
    Unknowns z{};
    FitMatrix U{};
    if (const ArithmeticFault f = Solve(s, nullptr, nullptr, z, &U); f != ArithmeticFault::None)
        return f;
    out = FitOutcome{};
    out.z = z;
    Residuals(s, z.data(), out.r);
    out.w.assign(static_cast<size_t>(s.m), 1.0);
    out.dof = s.m - s.p;
    if (out.dof > 0) {
        double sum = 0.0;
        for (double v : out.r) sum += v * v;
        const double s2 = sum / out.dof;
        out.scale = std::sqrt(s2);
        FitMatrix Q{};
        InverseFactored(s.p, U, Q);
        for (int k = 0; k < s.p * s.p; ++k)
            out.cov[static_cast<size_t>(k)] = s2 * Q[static_cast<size_t>(k)];
    }
    return ArithmeticFault::None;
}

bool LeastMedianStart(const FitSystem& s, Unknowns& z) {
    const int m = s.m, p = s.p;
    if (m < p || p < 1 || p > kMaxFitUnknowns) return false;
    Unknowns columnSize{};
    for (int j = 0; j < p; ++j) {
        double big = 0.0;
        for (int i = 0; i < m; ++i) big = std::max(big, std::fabs(s.A(i, j)));
        if (!(big > 0.0) || !std::isfinite(big)) return false;
        columnSize[static_cast<size_t>(j)] = big;
    }
    std::vector<double> scaled(s.a.size());
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < p; ++j)
            scaled[At(i, j, p)] = s.A(i, j) / columnSize[static_cast<size_t>(j)];
    const int h = HalfSet(s);
    std::vector<double> scratch(static_cast<size_t>(m));
    double best = HUGE_VAL;
    bool found = false;
    auto tryRows = [&](const int* rows) {
        Unknowns candidate{};
        if (!SolveElemental(s, scaled, rows, candidate)) return;
        for (int j = 0; j < p; ++j)
            candidate[static_cast<size_t>(j)] /= columnSize[static_cast<size_t>(j)];
        const double v = OrderStatistic(s, candidate, h, best, scratch);
        if (v < best || !found) {
            best = v;
            z = candidate;
            found = true;
        }
    };
    int rows[kMaxFitUnknowns];
    if (ElementalSetCount(m, p) <= kMaxElementalSets) {
        // Every set, in lexicographic order.
        for (int j = 0; j < p; ++j) rows[j] = j;
        for (;;) {
            tryRows(rows);
            int j = p - 1;
            while (j >= 0 && rows[j] == m - p + j) --j;
            if (j < 0) break;
            ++rows[j];
            for (int k = j + 1; k < p; ++k) rows[k] = rows[k - 1] + 1;
        }
    } else {
        // A fixed pseudo-random choice (xorshift), the same for every call.
        std::uint64_t state = 0x9E3779B97F4A7C15ULL;
        auto next = [&state, m] {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            return static_cast<int>(state % static_cast<std::uint64_t>(m));
        };
        for (int set = 0; set < kSampledSets; ++set) {
            for (int j = 0; j < p; ++j) {
                int candidate = 0;
                bool taken = true;
                while (taken) {
                    candidate = next();
                    taken = std::find(rows, rows + j, candidate) != rows + j;
                }
                rows[j] = candidate;
            }
            tryRows(rows);
        }
    }
    return found;
}

ArithmeticFault FitRobust(const FitSystem& s, const double* start, double scale, double leastScale,
                          FitOutcome& out, double weightTolerance, CovarianceTime when) {
    if (s.m <= s.p || s.p < 1 || s.p > kMaxFitUnknowns) return FitPlain(s, out);
    Unknowns z{};
    if (start) {
        std::copy(start, start + s.p, z.begin());
        if (!(scale > 0.0)) scale = ResidualScale(s, z.data(), leastScale);
    } else {
        if (!LeastMedianStart(s, z)) return FitPlain(s, out);
        if (!(scale > 0.0)) scale = ResidualScale(s, z.data(), leastScale);
        Concentrate(s, z);
    }

    // Stage 3: the biweights at that scale, until they settle.
    std::vector<double> r, w(static_cast<size_t>(s.m)), next(static_cast<size_t>(s.m));
    Residuals(s, z.data(), r);
    for (int i = 0; i < s.m; ++i)
        w[static_cast<size_t>(i)] = TukeyBiweight(r[static_cast<size_t>(i)] / scale);
    int passes = 0;
    bool settled = false;
    while (!settled && passes <= kMaxPasses) {
        int weighted = 0;
        for (double v : w) weighted += v > 0.0 ? 1 : 0;
        if (weighted < s.p) return FitPlain(s, out);
        if (const ArithmeticFault f = Solve(s, w.data(), nullptr, z); f != ArithmeticFault::None)
            return f;
        Residuals(s, z.data(), r);
        double moved = 0.0;
        for (int i = 0; i < s.m; ++i) {
            next[static_cast<size_t>(i)] = TukeyBiweight(r[static_cast<size_t>(i)] / scale);
            moved = std::max(moved,
                             std::fabs(next[static_cast<size_t>(i)] - w[static_cast<size_t>(i)]));
        }
        ++passes;
        settled = moved < weightTolerance;
        if (!settled) w.swap(next);
    }

    FitOutcome result;
    result.z = z;
    result.r = std::move(r);
    result.w = std::move(w);
    result.scale = scale;
    result.robust = true;
    result.passes = passes;
    result.settled = settled;
    if (when == CovarianceTime::WithFit)
        if (const ArithmeticFault f = RobustCovariance(s, result, result.cov, result.dof);
            f != ArithmeticFault::None)
            return f;
    out = std::move(result);
    return ArithmeticFault::None;
}

ArithmeticFault AddRobustCovariance(const FitSystem& s, FitOutcome& fit) {
    if (!fit.robust) return ArithmeticFault::None;
    return RobustCovariance(s, fit, fit.cov, fit.dof);
}

}  // namespace orvex
