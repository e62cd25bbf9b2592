#include "diary/FileNames.h"

namespace file_names {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string HiddenCompanion(const std::string& name, const std::string& suffix,
                            std::size_t longest) {
    const std::size_t fixed = 1 + suffix.size();
    const std::size_t room = longest > fixed ? longest - fixed : 1;
    std::size_t keep = std::min(name.size(), room);
    // Do not cut a UTF-8 character in two.
    while (keep > 1 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    return "." + name.substr(0, keep) + suffix;
}

}  // namespace file_names
