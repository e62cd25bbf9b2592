#include "desktop/dialogs/ResourcePaths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path ExecutableFolder() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable.parent_path();
}

// Where the shipped files may be, most specific first: an explicit folder, an installed or
// copied res/ folder beside the program, and the source tree the program was built from.
std::vector<fs::path> ResourceFolders() {
    std::vector<fs::path> folders;
    if (const char* explicitFolder = std::getenv("GASTROLOG_RES");
        explicitFolder && *explicitFolder)
        folders.emplace_back(explicitFolder);
    if (const fs::path beside = ExecutableFolder(); !beside.empty()) {
        folders.push_back(beside / "res");
        folders.push_back(beside / ".." / "share" / "gastrolog");
    }
    folders.push_back(fs::path(__FILE__).parent_path().parent_path() / "res");
    return folders;
}

}  // namespace

std::string ResourcePath(const std::string& name) {
    for (const fs::path& folder : ResourceFolders()) {
        std::error_code error;
        const fs::path candidate = folder / name;
        if (fs::is_regular_file(candidate, error)) return candidate.lexically_normal().string();
    }
    return name;
}
