#include "navlib/solvers.h"

#include <cmath>
#include <vector>

#include "navlib/hooks.h"
#include "navlib/math_lib.h"
#include "navlib/matrix_lib.h"

namespace orvex {

namespace {

constexpr char kMathTitle[] = " Error in mathematical routine";
constexpr int kMaxBracketSteps = 1500;

void ShowMathError(const char* text) {
    ReportMessage(kIconCritical + kButtonsOk, kMathTitle, text);
}

bool AllFinite(const Vector& v) {
    for (int i = v.lbound(); i <= v.ubound(); ++i)
        if (!std::isfinite(v(i))) return false;
    return true;
}

}  // namespace

void ReportRootFailure(RootFailure failure) {
    switch (failure) {
        case RootFailure::Bracket:
            ShowMathError("Root-finding function (part 1) failed. See doc for help.");
            break;
        case RootFailure::Secant:
            ShowMathError("Root-finding function (part 2) failed. See doc for help.");
            break;
        case RootFailure::None:
            break;
    }
}

RootOutcome SecantSearch(NautLibFct& fn, double x0, double x1, double tol, int maxIter, int iFct) {
    const RootOutcome failed{0.0, RootFailure::Secant};
    if (!std::isfinite(x0) || !std::isfinite(x1)) return failed;
    double f0 = fn.f(x0, iFct);
    double f1 = fn.f(x1, iFct);
    for (int i = 2; i <= maxIter; ++i) {
        if (!std::isfinite(f0) || !std::isfinite(f1) || f1 == f0) return failed;
        const double x2 = x1 - (x1 - x0) * f1 / (f1 - f0);
        if (!std::isfinite(x2)) return failed;
        if (std::fabs(x2 - x1) < tol) return {x2, RootFailure::None};
        x0 = x1;
        x1 = x2;
        f0 = f1;
        f1 = fn.f(x2, iFct);
    }
    return failed;
}

RootOutcome RootSearch(NautLibFct& fn, double x0, double step, double lo, double hi, bool bWrap,
                       double tol, int maxIter, int iFct) {
    const RootOutcome failed{0.0, RootFailure::Bracket};
    if (!std::isfinite(x0) || !std::isfinite(step)) return failed;
    int counter = 0;
    double first, second;
    const double f0 = fn.f(x0, iFct);
    if (!std::isfinite(f0)) return failed;
    if (f0 < 0) {
        double b = ScaleToRange(x0 + step, lo, hi, bWrap);
        double fb = fn.f(b, iFct);
        if (!std::isfinite(fb)) return failed;
        if (fb < 0) {
            // No sign change yet; turn round unless the probe came nearer to zero.
            if (std::fabs(fb) >= std::fabs(f0)) step = -step;
            do {
                ++counter;
                b = ScaleToRange(b + step, lo, hi, bWrap);
                fb = fn.f(b, iFct);
                if (!std::isfinite(fb)) return failed;
            } while (!(fb >= 0 || counter > kMaxBracketSteps));
        }
        first = x0;
        second = b;
    } else {
        double q = ScaleToRange(x0 - step, lo, hi, bWrap);
        double fq = fn.f(q, iFct);
        if (!std::isfinite(fq)) return failed;
        if (fq >= 0) {
            if (fq < f0) step = -step;
            do {
                ++counter;
                q = ScaleToRange(q + step, lo, hi, bWrap);
                fq = fn.f(q, iFct);
                if (!std::isfinite(fq)) return failed;
            } while (!(fq < 0 || counter > kMaxBracketSteps));
        }
        first = q;
        second = x0;
    }
    if (counter > kMaxBracketSteps) return failed;
    return SecantSearch(fn, first, second, tol, maxIter, iFct);
}

RootOutcome BracketedSearch(NautLibFct& fn, double a, double b, double tol, int maxIter, int iFct) {
    const RootOutcome failed{0.0, RootFailure::Bracket};
    if (!std::isfinite(a) || !std::isfinite(b)) return failed;
    double fa = fn.f(a, iFct);
    double fb = fn.f(b, iFct);
    if (!std::isfinite(fa) || !std::isfinite(fb)) return failed;
    if (fa == 0.0) return {a, RootFailure::None};
    if (fb == 0.0) return {b, RootFailure::None};
    if ((fa < 0.0) == (fb < 0.0)) return failed;
    int kept = 0;  // which end stayed at the last probe: -1 a, +1 b
    for (int i = 0; i < maxIter; ++i) {
        const double c = (a * fb - b * fa) / (fb - fa);
        if (std::fabs(b - a) < tol) return {c, RootFailure::None};
        const double fc = fn.f(c, iFct);
        if (!std::isfinite(fc)) return failed;
        if (fc == 0.0) return {c, RootFailure::None};
        // An end kept twice running has its value halved, so that it moves too.
        if ((fc < 0.0) == (fb < 0.0)) {
            b = c;
            fb = fc;
            if (kept == -1) fa /= 2.0;
            kept = -1;
        } else {
            a = c;
            fa = fc;
            if (kept == 1) fb /= 2.0;
            kept = 1;
        }
    }
    return failed;
}

double SecantRoot(NautLibFct& fn, double x0, double x1, double tol, int maxIter, int iFct,
                  bool bShowMsg, bool& bFailed) {
    const RootOutcome r = SecantSearch(fn, x0, x1, tol, maxIter, iFct);
    if (r.ok()) return r.root;
    if (bShowMsg)
        ReportRootFailure(r.failure);
    else
        bFailed = true;
    return 0.0;
}

double FindRoot(NautLibFct& fn, double x0, double step, double lo, double hi, bool bWrap,
                double tol, int maxIter, int iFct, bool bShowMsg, bool& bFailed) {
    const RootOutcome r = RootSearch(fn, x0, step, lo, hi, bWrap, tol, maxIter, iFct);
    if (r.ok()) return r.root;
    if (bShowMsg)
        ReportRootFailure(r.failure);
    else
        bFailed = true;
    return 0.0;
}

bool SolveNonlinearSystem(NautLibFct& fn, Vector& x, double tol, int maxIter, int iFirst) {
    const int n = x.ubound();
    if (n < 1) return false;
    const double h = 1e-06;
    auto fail = [] {
        ShowMathError("Nonlinear system solution failed. See doc for help.");
        return false;
    };
    if (!AllFinite(x) || !std::isfinite(tol)) return fail();

    Vector F(n), Fold(n), dx(n), y(n), By(n), dxB(n), trial(n), lastGood(n);
    Matrix J(n, n), B(n, n), work(n, n);

    // Forward-difference Jacobian; F at the start values.
    for (int j = 1; j <= n; ++j) {
        for (int i = 1; i <= n; ++i) {
            MatCopy(x, trial);
            trial(i) = trial(i) + h;
            J(j, i) = (fn.SysEq(trial, iFirst + j - 1) - fn.SysEq(x, iFirst + j - 1)) / h;
        }
        F(j) = fn.SysEq(x, iFirst + j - 1);
    }
    if (!AllFinite(F)) return fail();

    double det = 0.0;
    if (!MatInvert(J, B, det)) return false;  // MatInvert has shown its own box

    // First (Newton) step.
    MatMultiply(B, F, dx);
    MatScale(-1.0, dx, dx);
    MatCopy(x, lastGood);
    MatAdd(x, dx, x);

    for (int k = 1;; ++k) {
        if (k > maxIter) return fail();
        MatCopy(F, Fold);
        for (int i = 1; i <= n; ++i) F(i) = fn.SysEq(x, iFirst + i - 1);
        if (!AllFinite(x) || !AllFinite(F)) {
            MatCopy(lastGood, x);
            return fail();
        }
        MatSubtract(F, Fold, y);

        // B = B + ((dx - B y) (dx^T B)) / (dx^T B y)
        MatMultiply(B, y, By);
        MatScale(-1.0, By, By);  // -B y
        const double dxBy = -DotProduct(dx, By);
        // A step that changed nothing (a start on the solution itself gives
        // dx = 0 and y = 0) carries no slope information: keep B rather
        // than divide by zero and poison it with NaN.
        if (dxBy != 0.0 && std::isfinite(dxBy)) {
            MatMultiply(dx, B, dxB);  // row dx^T B
            MatAdd(dx, By, trial);    // dx - B y
            MatMultiply(trial, dxB, work);
            MatScale(1.0 / dxBy, work, work);
            MatAdd(B, work, B);
        }

        MatMultiply(B, F, dx);
        MatScale(-1.0, dx, dx);
        MatCopy(x, lastGood);
        MatAdd(x, dx, x);
        if (!AllFinite(x)) {
            MatCopy(lastGood, x);
            return fail();
        }
        if (VecNorm(dx) < tol) return true;
    }
}

double IntegrateSimpson(NautLibFct& fn, double a, double b, double tol, int maxLevel, int iFct) {
    auto fail = [] {
        ShowMathError("Numerical Integration function failed. See doc for help.");
        return 0.0;
    };
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(tol)) return fail();

    struct Interval {
        double a, h, fa, fc, fb, S, tol, level;
    };
    std::vector<Interval> stack;
    double sum = 0.0;

    const double h0 = (b - a) / 2.0;
    const double fa = fn.f(a, iFct);
    const double fc = fn.f(a + h0, iFct);
    const double fb = fn.f(b, iFct);
    stack.push_back({a, h0, fa, fc, fb, h0 * (fa + 4.0 * fc + fb) / 3.0, 10.0 * tol, 1.0});

    long taken = 0;
    while (!stack.empty()) {
        const Interval e = stack.back();
        stack.pop_back();
        if (++taken > kMaxSimpsonIntervals) return fail();
        const double fd = fn.f(e.a + e.h / 2.0, iFct);
        const double fe = fn.f(e.a + 3.0 * e.h / 2.0, iFct);
        if (!std::isfinite(e.fa) || !std::isfinite(e.fc) || !std::isfinite(e.fb) ||
            !std::isfinite(fd) || !std::isfinite(fe))
            return fail();
        const double S1 = e.h * (e.fa + 4.0 * fd + e.fc) / 6.0;
        const double S2 = e.h * (e.fc + 4.0 * fe + e.fb) / 6.0;
        if (std::fabs(S1 + S2 - e.S) < e.tol) {
            sum += S1 + S2;
        } else if (e.level >= maxLevel) {
            return fail();
        } else {
            // Right half first so that the left half is taken next.
            stack.push_back({e.a + e.h, e.h / 2.0, e.fc, fe, e.fb, S2, e.tol / 2.0, e.level + 1.0});
            stack.push_back({e.a, e.h / 2.0, e.fa, fd, e.fc, S1, e.tol / 2.0, e.level + 1.0});
        }
    }
    return sum;
}

}  // namespace orvex
