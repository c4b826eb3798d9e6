#include "navlib/app_path.h"

#include <filesystem>
#include <system_error>

namespace orvex {

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

std::string AppPath() {
    if (!Override().empty()) return Override();
    static const std::string folder = ExecutableFolder();
    return folder;
}

void SetAppPath(const std::string& path) {
    std::string p = path;
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
    Override() = p;
}

}  // namespace orvex
