// The complete VSOP87D series of Saturn (all 5,759 terms), written by
// tools/planet_dat beside the truncated Planet.dat, as an oracle for the
// truncated file: an independent evaluation of the series and of the FK5
// correction for the tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "test_data_files.h"

namespace orvex::testing {

class FullSaturnSeries {
  public:
    FullSaturnSeries() {
        const auto bytes = ReadAllBytes(std::filesystem::path(ORVEX_SOURCE_DIR) / "tests" /
                                        "ephemeris" / "data" / "saturn_vsop87d_full.bin");
        if (bytes.size() < 18 * 4) return;
        std::size_t off = 18 * 4;
        for (int k = 0; k < 18; ++k) {
            std::uint32_t n = 0;
            for (int i = 3; i >= 0; --i) n = (n << 8) | bytes[4 * k + i];
            if (off + 24 * std::size_t(n) > bytes.size()) return;
            std::vector<double> block(3 * std::size_t(n));
            std::memcpy(block.data(), bytes.data() + off, 24 * std::size_t(n));
            off += 24 * std::size_t(n);
            blocks_.push_back(std::move(block));
        }
        if (off != bytes.size()) blocks_.clear();
    }

    bool ok() const { return blocks_.size() == 18; }
    std::size_t terms(int k) const { return blocks_[k].size() / 3; }

    // Heliocentric latitude, longitude (degrees) and radius (AU), FK5.
    void Place(double T, double& b, double& l, double& r) const {
        const double tau = T / 10.0;
        double v[3] = {0, 0, 0};
        for (int var = 0; var < 3; ++var) {
            for (int k = 5; k >= 0; --k) {  // Horner in tau
                double s = 0;
                const auto& blk = blocks_[6 * var + k];
                for (std::size_t j = 0; j < blk.size(); j += 3)
                    s += blk[j] * std::cos(blk[j + 1] + blk[j + 2] * tau);
                v[var] = v[var] * tau + s;
            }
        }
        const double L = v[0], B = v[1];
        const double arcsec = 3.141592653589793 / 180.0 / 3600.0;
        const double lp = L - (1.397 * T + 0.00031 * T * T) * 3.141592653589793 / 180.0;
        const double dL =
            (-0.09033 + 0.03916 * (std::cos(lp) + std::sin(lp)) * std::tan(B)) * arcsec;
        const double dB = 0.03916 * (std::cos(lp) - std::sin(lp)) * arcsec;
        b = (B + dB) * 180.0 / 3.141592653589793;
        l = (L + dL) * 180.0 / 3.141592653589793;
        r = v[2];
    }

  private:
    std::vector<std::vector<double>> blocks_;
};

}  // namespace orvex::testing
