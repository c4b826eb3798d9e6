#include "ephemeris/planets.h"

#include <cmath>

#include "ephemeris/precession_nutation.h"
#include "ephemeris/saturn_series.h"
#include "ephemeris/stars.h"
#include "ephemeris/sun.h"
#include "ephemeris/time_argument.h"
#include "navlib/constants.h"
#include "navlib/math_lib.h"

namespace orvex {

namespace {

constexpr double kDaysPerCentury = 36525.0;
constexpr double kSunRadiusFactor = 1.0000002;
// Radius vector of a planet without a place (Saturn without its series).
constexpr double kNoPlaceRadius = 1e-11;

double Sin(double degrees) {
    return std::sin(degrees * kDegToRad);
}
double Cos(double degrees) {
    return std::cos(degrees * kDegToRad);
}

// Element polynomials in T1900, ascending powers.
struct ElementPolynomials {
    double L[4];
    double e1000[4];  // eccentricity x 1000
    double i[4];
    double omega[4];  // argument of perihelion
    double Omega[4];  // longitude of the ascending node
};

constexpr ElementPolynomials kVenus = {{342.767053, 58519.21191, 0.0003097, 0.0},
                                       {6.82069, -0.04774, 0.000091, 0.0},
                                       {3.393631, 0.0010058, -0.000001, 0.0},
                                       {54.384186, 0.5081861, -0.0013864, 0.0},
                                       {75.779647, 0.89985, 0.00041, 0.0}};
constexpr ElementPolynomials kMars = {{293.737334, 19141.69551, 0.0003107, 0.0},
                                      {93.3129, 0.092064, -0.000077, 0.0},
                                      {1.850333, -0.000675, 0.0000126, 0.0},
                                      {285.431761, 1.0697667, 0.0001313, 0.00000414},
                                      {48.786442, 0.7709917, -0.0000014, -0.00000533}};
constexpr ElementPolynomials kJupiter = {{238.049257, 3036.301986, 0.0003347, -0.00000165},
                                         {48.33475, 0.16418, -0.0004676, -0.0000017},
                                         {1.308736, -0.0056961, 0.0000039, 0.0},
                                         {273.277558, 0.5994317, 0.00070405, 0.00000508},
                                         {99.443414, 1.01053, 0.00035222, -0.00000851}};

// The unperturbed elements; omega is returned separately (it only enters M).
PlanetElements MeanElements(const ElementPolynomials& p, int degree, double T1900, double& omega) {
    PlanetElements el;
    el.L = Norm360(PolyEval(T1900, degree, p.L));
    el.e = PolyEval(T1900, degree, p.e1000) / 1000.0;
    el.i = Norm360(PolyEval(T1900, degree, p.i));
    omega = Norm360(PolyEval(T1900, degree, p.omega));
    el.Omega = Norm360(PolyEval(T1900, degree, p.Omega));
    return el;
}

// Venus and Mars: the mean elements, then the long-period term x in the
// mean anomaly and the mean longitude, the periodic terms in longitude, and
// the perturbation of the radius vector kept for PlanetHeliocentric.
PlanetElements InnerElements(const ElementPolynomials& p, double T1900,
                             const InnerPlanetPerturbations& pert) {
    double omega = 0.0;
    PlanetElements el = MeanElements(p, 3, T1900, omega);
    el.M = el.L - el.Omega - omega + pert.x;
    el.L = el.L + pert.longitude + pert.x;
    el.delta = pert.radius;
    return el;
}

}  // namespace

PlanetMeanAnomalySet PlanetMeanAnomalies(double T1900) {
    static constexpr double kM0[4] = {358.47583, 35999.04975, -0.000150, -0.0000033};
    static constexpr double kM2[3] = {212.60322, 58517.80387, 0.001286};
    static constexpr double kM4[3] = {319.51913, 19139.85475, 0.000181};
    static constexpr double kM5[3] = {225.32833, 3034.69202, -0.000722};
    PlanetMeanAnomalySet m;
    m.M0 = Norm360(PolyEval(T1900, 3, kM0));
    m.M2 = Norm360(PolyEval(T1900, 2, kM2));
    m.M4 = Norm360(PolyEval(T1900, 2, kM4));
    m.M5 = Norm360(PolyEval(T1900, 2, kM5));
    return m;
}

InnerPlanetPerturbations VenusPerturbations(double T1900) {
    const PlanetMeanAnomalySet a = PlanetMeanAnomalies(T1900);
    const double M0 = a.M0, M2 = a.M2, M5 = a.M5;
    InnerPlanetPerturbations p;
    p.x = 0.00077 * Sin(237.24 + 150.27 * T1900);
    p.longitude = (313.0 * Cos(2 * M0 - 2 * M2 - 148.225) + 198.0 * Cos(3 * M0 - 3 * M2 + 2.565) +
                   136.0 * Cos(M0 - M2 - 119.107) + 96.0 * Cos(3 * M0 - 2 * M2 - 135.912) +
                   82.0 * Cos(M5 - M2 - 208.087)) /
                  100000.0;
    p.radius = (22501.0 * Cos(2 * M0 - 2 * M2 - 58.208) + 19045.0 * Cos(3 * M0 - 3 * M2 + 92.577) +
                6887.0 * Cos(M5 - M2 - 118.09) + 5172.0 * Cos(M0 - M2 - 29.11) +
                3620.0 * Cos(5 * M0 - 4 * M2 - 104.208) + 3283.0 * Cos(4 * M0 - 4 * M2 + 63.513) +
                3074.0 * Cos(2 * M5 - 2 * M2 - 55.167)) /
               1000000000.0;
    return p;
}

InnerPlanetPerturbations MarsPerturbations(double T1900) {
    const PlanetMeanAnomalySet a = PlanetMeanAnomalies(T1900);
    const double M0 = a.M0, M2 = a.M2, M4 = a.M4, M5 = a.M5;
    InnerPlanetPerturbations p;
    const double X = Norm360(3 * M5 - 8 * M4 + 4 * M0);
    p.x = -0.01133 * Sin(X) - 0.00933 * Cos(X);
    p.longitude = (705.0 * Cos(M5 - M4 - 48.958) + 607.0 * Cos(2 * M5 - M4 - 188.35) +
                   445.0 * Cos(2 * M5 - 2 * M4 - 191.897) + 388.0 * Cos(M0 - 2 * M4 + 20.495) +
                   238.0 * Cos(M0 - M4 + 35.097) + 204.0 * Cos(2 * M0 - 3 * M4 + 158.638) +
                   177.0 * Cos(3 * M4 - M2 - 57.602) + 136.0 * Cos(2 * M0 - 4 * M4 + 154.093) +
                   104.0 * Cos(M5 + 17.618)) /
                  100000.0;
    p.radius = (53227.0 * Cos(M5 - M4 + 41.1306) + 50989.0 * Cos(2 * M5 - 2 * M4 - 101.9847) +
                38278.0 * Cos(2 * M5 - M4 - 98.3292) + 15996.0 * Cos(M0 - M4 - 55.555) +
                14764.0 * Cos(2 * M0 - 3 * M4 + 68.622) + 8966.0 * Cos(M5 - 2 * M4 + 43.615) +
                7914.0 * Cos(3 * M5 - 2 * M4 - 139.737) + 7004.0 * Cos(2 * M5 - 3 * M4 - 102.888) +
                6620.0 * Cos(M0 - 2 * M4 + 113.202) + 4930.0 * Cos(3 * M5 - 3 * M4 - 76.243) +
                4693.0 * Cos(3 * M0 - 5 * M4 + 190.603) + 4571.0 * Cos(2 * M0 - 4 * M4 + 244.702) +
                4409.0 * Cos(3 * M5 - M4 - 115.828)) /
               1000000000.0;
    return p;
}

JupiterPerturbationSums JupiterPerturbations(double T1900) {
    const double nu = T1900 / 5.0 + 0.1;
    const double nu2 = nu * nu;
    const double P = 237.47555 + 3034.9061 * T1900;
    const double Q = 265.9165 + 1222.1139 * T1900;
    const double S = 243.51721 + 428.4677 * T1900;
    const double V = 5 * Q - 2 * P;
    const double W = 2 * P - 6 * Q + 3 * S;
    const double zeta = Q - P;

    const double sV = Sin(V), cV = Cos(V), s2V = Sin(2 * V), sW = Sin(W);
    const double sQ = Sin(Q), cQ = Cos(Q), s2Q = Sin(2 * Q), c2Q = Cos(2 * Q);
    double sz[6], cz[6];  // sin k zeta, cos k zeta for k = 1..5
    for (int k = 1; k <= 5; ++k) {
        sz[k] = Sin(k * zeta);
        cz[k] = Cos(k * zeta);
    }

    JupiterPerturbationSums s;
    s.A = (0.331364 - 0.010281 * nu - 0.004692 * nu2) * sV +
          (0.003228 - 0.064436 * nu + 0.002075 * nu2) * cV +
          (-0.003083 - 0.000275 * nu + 0.000489 * nu2) * s2V + 0.002472 * sW + 0.013619 * sz[1] +
          0.018472 * sz[2] + 0.006717 * sz[3] + 0.002775 * sz[4] +
          (0.007275 - 0.001253 * nu) * sz[1] * sQ + 0.006417 * sz[2] * sQ + 0.002439 * sz[3] * sQ +
          (-0.033839 - 0.001125 * nu) * cz[1] * sQ - 0.003767 * cz[2] * sQ +
          (-0.035681 - 0.001208 * nu) * sz[1] * cQ - 0.004261 * sz[2] * cQ + 0.002178 * cQ +
          (-0.006333 + 0.001161 * nu) * cz[1] * cQ - 0.006675 * cz[2] * cQ - 0.002664 * cz[3] * cQ -
          0.002572 * sz[1] * s2Q - 0.003567 * sz[2] * s2Q + 0.002094 * cz[1] * c2Q +
          0.003342 * cz[2] * c2Q;

    s.B = (3606.0 + 130.0 * nu - 43.0 * nu2) * sV + (1289.0 - 580.0 * nu) * cV -
          6764.0 * sz[1] * sQ - 1110.0 * sz[2] * sQ - 224.0 * sz[3] * sQ - 204.0 * sQ +
          (1284.0 + 116.0 * nu) * cz[1] * sQ + 188.0 * cz[2] * sQ +
          (1460.0 + 130.0 * nu) * sz[1] * cQ + 224.0 * sz[2] * cQ - 817.0 * cQ +
          6074.0 * cz[1] * cQ + 992.0 * cz[2] * cQ + 508.0 * cz[3] * cQ + 230.0 * cz[4] * cQ +
          108.0 * cz[5] * cQ + (-956.0 - 73.0 * nu) * sz[1] * s2Q + 448.0 * sz[2] * s2Q +
          137.0 * sz[3] * s2Q + (-997.0 + 108.0 * nu) * cz[1] * s2Q + 480.0 * cz[2] * s2Q +
          148.0 * cz[3] * s2Q + (-956.0 + 99.0 * nu) * sz[1] * c2Q + 490.0 * sz[2] * c2Q +
          158.0 * sz[3] * c2Q + 179.0 * c2Q + (1024.0 + 75.0 * nu) * cz[1] * c2Q -
          437.0 * cz[2] * c2Q - 132.0 * cz[3] * c2Q;

    s.C = (0.007192 - 0.003147 * nu) * sV + (-0.020428 - 0.000675 * nu + 0.000197 * nu2) * cV +
          (0.007269 + 0.000672 * nu) * sz[1] * sQ - 0.004344 * sQ + 0.034036 * cz[1] * sQ +
          0.005614 * cz[2] * sQ + 0.002964 * cz[3] * sQ + 0.037761 * sz[1] * cQ +
          0.006158 * sz[2] * cQ - 0.006603 * cz[1] * cQ - 0.005356 * sz[1] * s2Q +
          0.002722 * sz[2] * s2Q + 0.004483 * cz[1] * s2Q - 0.002642 * cz[2] * s2Q +
          0.004403 * sz[1] * c2Q - 0.002536 * sz[2] * c2Q + 0.005547 * cz[1] * c2Q -
          0.002689 * cz[2] * c2Q;

    s.D = -263.0 * cV + 205.0 * cz[1] + 693.0 * cz[2] + 312.0 * cz[3] + 147.0 * cz[4] +
          299.0 * sz[1] * sQ + 181.0 * cz[2] * sQ + 204.0 * sz[2] * cQ + 111.0 * sz[3] * cQ -
          337.0 * cz[1] * cQ - 111.0 * cz[2] * cQ;
    return s;
}

PlanetElements VenusElements(double T) {
    const double T1900 = T + 1.0;
    return InnerElements(kVenus, T1900, VenusPerturbations(T1900));
}

PlanetElements MarsElements(double T) {
    const double T1900 = T + 1.0;
    return InnerElements(kMars, T1900, MarsPerturbations(T1900));
}

PlanetElements JupiterElements(double T) {
    const double T1900 = T + 1.0;
    double omega = 0.0;
    PlanetElements el = MeanElements(kJupiter, 3, T1900, omega);
    const JupiterPerturbationSums s = JupiterPerturbations(T1900);
    // The perihelion term enters the mean anomaly divided by the
    // unperturbed eccentricity.
    el.M = el.L - el.Omega - omega + s.A - s.C / el.e;
    el.L = el.L + s.A;
    el.e = el.e + s.B * 0.0000001;
    el.delta = s.D * 0.000001;
    return el;
}

void PlanetHeliocentric(std::string_view name, double T, double& b, double& l, double& r) {
    PlanetElements el;
    double a = 0.0;
    if (name == "JUPITER") {
        el = JupiterElements(T);
        a = kJupiterSemiMajorAxis;
    } else if (name == "MARS") {
        el = MarsElements(T);
        a = kMarsSemiMajorAxis;
    } else if (name == "SATURN") {
        SaturnHeliocentric(T, b, l, r);
        return;
    } else if (name == "VENUS") {
        el = VenusElements(T);
        a = kVenusSemiMajorAxis;
    } else {
        b = 0.0;
        l = 0.0;
        r = kNoPlaceRadius;
        return;
    }

    double gamma = 0.0, rho = 0.0;
    SolveKepler(el.e, el.M, gamma, rho);
    // Jupiter's perturbation acts on the semi-major axis, the inner planets'
    // on the radius vector itself.
    if (name == "JUPITER")
        r = (a + el.delta) * rho;
    else
        r = a * rho + el.delta;

    // The argument of latitude rotated by the inclination: the latitude, and
    // the longitude counted from the node.
    const double u = el.L - el.Omega + gamma;
    double fromNode = 0.0;
    EclipticToEquatorial(u, el.i, b, fromNode);
    l = fromNode + el.Omega;
}

double GeocentricPosition(double R, double sunLon, double r, double b, double l, double& beta,
                          double& lambda) {
    double xs = 0, ys = 0, zs = 0, xp = 0, yp = 0, zp = 0;
    SphericalToCartesian(R, 0.0, sunLon, xs, ys, zs);
    SphericalToCartesian(r, b, l, xp, yp, zp);
    const double x = xs + xp, y = ys + yp, z = zs + zp;
    const double rho = std::hypot(x, y);
    beta = std::atan2(z, rho) * kRadToDeg;
    lambda = Norm360(Atan2Deg(x, y));
    return std::sqrt(x * x + y * y + z * z);
}

void EclipticToEquatorialFull(double b, double l, double eps, double& dec, double& ra) {
    const double cb = Cos(b), sb = Sin(b), cl = Cos(l), sl = Sin(l);
    const double ce = Cos(eps), se = Sin(eps);
    const double x = cb * cl;
    const double y = cb * sl * ce - sb * se;
    const double z = sb * ce + cb * se * sl;
    // atan2 of the components rather than an arcsine: no rounding past 1.
    dec = std::atan2(z, std::hypot(x, y)) * kRadToDeg;
    ra = Atan2Deg(x, y);
}

void HelioToGeocentric(double q, double sunLon, double eps, double decH, double raH, double& dec,
                       double& ra) {
    double x1 = 0, y1 = 0, z1 = 0;
    SphericalToCartesian(1.0, decH, raH, x1, y1, z1);
    const double x2 = q * Cos(sunLon);
    const double y2 = q * Sin(sunLon) * Cos(eps);
    const double z2 = q * Sin(sunLon) * Sin(eps);
    double len = 0.0;
    CartesianToSpherical(x1 + x2, y1 + y2, z1 + z2, len, dec, ra);
}

void PlanetEphemeris(std::string_view name, double T, PlanetPlace& place) {
    if (name == "SATURN") {
        // Its long series summed once for the place and its light-time place.
        const SaturnPlacesNear near(T);
        PlanetEphemerisFrom(
            [&near](double t, double& b, double& l, double& r) { near.At(t, b, l, r); }, T, place);
        return;
    }
    PlanetEphemerisFrom(
        [name](double t, double& b, double& l, double& r) { PlanetHeliocentric(name, t, b, l, r); },
        T, place);
}

void PlanetEphemerisFrom(const HeliocentricPlaceFn& heliocentric, double T, PlanetPlace& place) {
    // The Earth's place: the Sun's true geometric longitude and distance.
    const SunElements sun = SunMeanElements(T);
    double gamma = 0.0, rho = 0.0;
    SolveKepler(sun.e, sun.M, gamma, rho);
    const double R = rho * kSunRadiusFactor + sun.dR;
    const double sunLon = sun.L + gamma;

    double b = 0.0, l = 0.0, r = 0.0, beta = 0.0, lambda = 0.0;
    heliocentric(T, b, l, r);
    const double delta0 = GeocentricPosition(R, sunLon, r, b, l, beta, lambda);

    // One light-time step; the Earth stays where it is at T.
    const double Tl = T - kLightTimeDaysPerAu * delta0 / kDaysPerCentury;
    heliocentric(Tl, b, l, r);
    place.r = r;
    place.delta = GeocentricPosition(R, sunLon, r, b, l, place.beta, place.lambda);

    double dpsi = 0.0, deps = 0.0;
    Nutation(T, dpsi, deps);
    const double eps = sun.eps0 + deps / 3600.0;

    double decH = 0.0, raH = 0.0, dec = 0.0, ra = 0.0;
    EclipticToEquatorialFull(b, l, sun.eps0, decH, raH);
    HelioToGeocentric(R / r, sunLon, sun.eps0, decH, raH, dec, ra);

    double appRa = 0.0, appDec = 0.0;
    ApplyNutationAberration(sun.eps0, dpsi, deps, sunLon, ra, dec, appRa, appDec);
    place.dec = appDec;
    place.gha = Norm360(ApparentSiderealTime(T, dpsi, eps) - appRa);
}

void PlanetEphemeris(std::string_view name, double T, double& gha, double& dec, double& delta,
                     double& r, double& beta, double& lambda) {
    PlanetPlace p;
    PlanetEphemeris(name, T, p);
    gha = p.gha;
    dec = p.dec;
    delta = p.delta;
    r = p.r;
    beta = p.beta;
    lambda = p.lambda;
}

}  // namespace orvex
