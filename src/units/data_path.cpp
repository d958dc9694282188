#include "units/data_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool holdsData(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / "units.dat", ec);
}

fs::path executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

}  // namespace

std::string DataDirectory() {
    if (const char* env = std::getenv("ORVCALC_DATA_DIR"); env != nullptr && *env != '\0') return env;
    std::vector<fs::path> candidates;
    if (fs::path exe = executableFolder(); !exe.empty()) {
        candidates.push_back(exe / "data");
        candidates.push_back(exe / ".." / "share" / "orvane-calculator" / "data");
    }
#ifdef ORV_SOURCE_DATA_DIR
    candidates.emplace_back(ORV_SOURCE_DATA_DIR);
#endif
    for (const fs::path& dir : candidates)
        if (holdsData(dir)) return dir.lexically_normal().string();
    return {};
}

std::string DataFilePath(const std::string& fileName) {
    std::string dir = DataDirectory();
    return dir.empty() ? fileName : (fs::path(dir) / fileName).string();
}
