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

bool IsInside(const fs::path& folder, const fs::path& outer) {
    std::error_code folderError, outerError;
    const fs::path canonicalFolder = fs::weakly_canonical(folder, folderError);
    const fs::path canonicalOuter = fs::weakly_canonical(outer, outerError);
    if (folderError || outerError) return false;
    const fs::path relative = canonicalFolder.lexically_relative(canonicalOuter);
    return !relative.empty() && *relative.begin() != "..";
}

// Where the shipped files may be, most specific first: an explicit folder, a res/ folder beside
// the program, the share/gastrolog/ folder of the prefix the program is installed in, and, for
// a program still in the build folder, the source tree it was built from.
std::vector<fs::path> ResourceFolders() {
    std::vector<fs::path> folders;
    if (const char* explicitFolder = std::getenv("GASTROLOG_RES");
        explicitFolder && *explicitFolder)
        folders.emplace_back(explicitFolder);
    if (const fs::path beside = ExecutableFolder(); !beside.empty()) {
        folders.push_back(beside / "res");
        folders.push_back(beside / ".." / "share" / "gastrolog");
        if (IsInside(beside, GASTROLOG_BUILD_FOLDER)) folders.emplace_back(GASTROLOG_SOURCE_RES);
    }
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
