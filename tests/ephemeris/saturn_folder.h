// Forgets the Saturn series and points the program folder at a folder for
// one test; the destructor puts both back.
#pragma once

#include <filesystem>

#include "ephemeris/saturn_series.h"
#include "navlib/app_path.h"

namespace orvex::testing {

class SaturnFolder {
  public:
    explicit SaturnFolder(const std::filesystem::path& folder) {
        ResetSaturnSeries();
        SetAppPath(folder.string());
    }
    ~SaturnFolder() {
        SetAppPath("");
        ResetSaturnSeries();
    }
    SaturnFolder(const SaturnFolder&) = delete;
    SaturnFolder& operator=(const SaturnFolder&) = delete;
};

}  // namespace orvex::testing
