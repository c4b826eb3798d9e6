// Writes the sample observation files of data/files/Observations from the
// scenarios of sample_sights.h, and prints each sight's true altitude and the
// Sun's altitude at that moment so that the scenarios can be checked for
// realism (bodies 10 to 75 degrees high, stars in twilight).
//
// Build from the top of the source tree, after the libraries are built:
//   g++ -std=c++20 -I. tools/observations/make_sample_observations.cpp \
//       workbench/observation_file.cpp build/ephemeris/libephemeris.a \
//       build/navlib/libnavlib.a -o build/make_sample_observations
//   ./build/make_sample_observations data/files/Observations
#include <cstdio>
#include <fstream>
#include <string>

#include "navlib/app_path.h"
#include "navlib/number_format.h"
#include "tools/observations/sample_sights.h"

int main(int argc, char** argv) {
    using namespace orvex;
    const std::string folder = argc > 1 ? argv[1] : "data/files/Observations";
    // The Saturn series lies beside the program; here in data/files.
    SetAppPath("data/files");
    for (const samples::SampleScenario& sc : samples::SampleScenarios()) {
        std::printf("%s: %s\n", sc.FileName, sc.Story);
        const ObservationFileData d = samples::SampleFile(sc);
        for (size_t i = 0; i < d.Sights.size(); ++i) {
            const ObsFileSight& o = d.Sights[i];
            double hc = 0, sun = 0;
            samples::SextantAltitude(sc, o.Body, o.Time, &hc);
            samples::SextantAltitude(sc, "SUNLOW", o.Time, &sun);
            double gha = 0, dec = 0, dist = 0, lat = 0, lon = 0;
            StarFixEphemeris()(o.Body, o.Time, gha, dec, dist);
            samples::TruePosition(sc, o.Time, lat, lon);
            std::printf("  %s %-10s Hs %s  Hc %7.3f  Zn %5.1f  Sun %6.1f\n",
                        FormatDateTime(o.Time, "hh:mm:ss").c_str(), o.Body.c_str(),
                        FormatDegreesMinutes(o.Hs, "00°00'.0").c_str(), hc,
                        ComputeAzimuth(lat, lon, gha, dec), sun);
        }
        std::ofstream f(folder + "/" + sc.FileName, std::ios::binary);
        f << WriteObservationFile(d);
        if (!f) {
            std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), sc.FileName);
            return 1;
        }
    }
    return 0;
}
