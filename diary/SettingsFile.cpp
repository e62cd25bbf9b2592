#include "diary/SettingsFile.h"

#include <cstdlib>
#include <sstream>

#include "diary/AtomicFile.h"

namespace settings_file {

namespace {

// Far more than any settings file the desktop writes; a larger file is not ours.
constexpr std::size_t LargestSettingsFile = 1024 * 1024;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

char Escaped(char character) {
    switch (character) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 'r':
            return '\r';
        default:
            return character;
    }
}

// A value as wxFileConfig writes it: quoted when it has outer spaces, escapes within.
std::string Unescaped(const std::string& text) {
    std::string value;
    const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
    const std::size_t begin = quoted ? 1 : 0, end = quoted ? text.size() - 1 : text.size();
    for (std::size_t index = begin; index < end; ++index) {
        if (text[index] == '\\' && index + 1 < end)
            value += Escaped(text[++index]);
        else
            value += text[index];
    }
    return value;
}

// A name up to the first "=" that no backslash escapes.
std::size_t EqualsSign(const std::string& line) {
    for (std::size_t index = 0; index < line.size(); ++index) {
        if (line[index] == '\\')
            ++index;
        else if (line[index] == '=')
            return index;
    }
    return std::string::npos;
}

// "[Group]" with escapes; nested groups keep their "/".
std::string GroupName(const std::string& line) {
    const auto end = line.rfind(']');
    return Unescaped(line.substr(1, end == std::string::npos ? std::string::npos : end - 1));
}

}  // namespace

std::string DefaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/Gastrolog.conf";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/Gastrolog.conf";
    return {};
}

MemorySettings Parse(const std::string& text) {
    MemorySettings settings;
    std::istringstream lines(text);
    std::string line, group;
    while (std::getline(lines, line)) {
        line = Trimmed(line);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line[0] == '[') {
            group = GroupName(line);
            continue;
        }
        const auto equals = EqualsSign(line);
        if (equals == std::string::npos) continue;
        settings.WriteString(group, Unescaped(Trimmed(line.substr(0, equals))),
                             Unescaped(Trimmed(line.substr(equals + 1))));
    }
    return settings;
}

std::vector<std::string> RecentFiles(const SettingsStore& settings) {
    constexpr int RecentFileCount = 4;  // as many as the File menu lists
    std::vector<std::string> files;
    for (int number = 1; number <= RecentFileCount; ++number) {
        std::string file =
            settings.GetString("Recent File List", "File" + std::to_string(number), {});
        if (!file.empty()) files.push_back(std::move(file));
    }
    return files;
}

MemorySettings Read(const std::string& path, FileSystem& files) {
    if (path.empty()) return {};
    const auto read = atomic_file::ReadWholeFile(path, LargestSettingsFile, files);
    if (!read.result.Succeeded()) return {};
    return Parse(std::string(read.bytes.begin(), read.bytes.end()));
}

}  // namespace settings_file
