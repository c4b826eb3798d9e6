#include "navlib/app_path.h"

#include <filesystem>
#include <system_error>

#ifndef ORVEX_DATA_FROM_BIN
#define ORVEX_DATA_FROM_BIN "../share/orvex"
#endif

namespace orvex {

const char* const kInstalledDataFromBin = ORVEX_DATA_FROM_BIN;

namespace {
std::string& Override() {
    static std::string p;
    return p;
}

std::string ExecutableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec).string();
    return exe.parent_path().string();
}
}  // namespace

std::string ProgramFilesFolder(const std::string& executableFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path installed =
        (fs::path(executableFolder) / kInstalledDataFromBin).lexically_normal();
    if (fs::is_directory(installed, ec)) {
        std::string p = installed.string();
        while (p.size() > 1 && p.back() == '/') p.pop_back();
        return p;
    }
    return executableFolder;
}

std::string AppPath() {
    if (!Override().empty()) return Override();
    static const std::string folder = ProgramFilesFolder(ExecutableFolder());
    return folder;
}

void SetAppPath(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
    Override() = p;
}

}  // namespace orvex
