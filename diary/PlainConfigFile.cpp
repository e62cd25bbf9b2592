#include "diary/PlainConfigFile.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr int RecentFileCount = 4;

std::string Stripped(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

char Unescaped(char escaped) {
    switch (escaped) {
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        default:
            return escaped;  // "\\", "\"" and an escaped blank or sign in a name
    }
}

std::string Unescape(const std::string& text) {
    std::string plain;
    for (std::size_t index = 0; index < text.size(); ++index) {
        if (text[index] == '\\' && index + 1 < text.size())
            plain += Unescaped(text[++index]);
        else
            plain += text[index];
    }
    return plain;
}

// A value with blanks at either end or with quotes is written in double quotes.
std::string ValueOf(const std::string& written) {
    if (written.size() >= 2 && written.front() == '"' && written.back() == '"')
        return Unescape(written.substr(1, written.size() - 2));
    return Unescape(written);
}

// The "=" that ends a name: the first one no backslash escapes.
std::size_t NameEnd(const std::string& line) {
    for (std::size_t index = 0; index < line.size(); ++index) {
        if (line[index] == '\\')
            ++index;
        else if (line[index] == '=')
            return index;
    }
    return std::string::npos;
}

std::string Key(std::string_view section, std::string_view name) {
    return std::string(section) + '/' + std::string(name);
}

}  // namespace

std::string PlainConfigFile::DefaultPath() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && *configHome == '/') return std::string(configHome) + "/Gastrolog.conf";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/Gastrolog.conf";
    return {};
}

bool PlainConfigFile::Load(const std::string& path) {
    m_values.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream text;
    text << file.rdbuf();
    Parse(text.str());
    return true;
}

void PlainConfigFile::Parse(const std::string& text) {
    std::istringstream lines(text);
    std::string group;
    for (std::string line; std::getline(lines, line);) {
        line = Stripped(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const auto close = line.rfind(']');
            // Nested groups are written with their whole path: "[Tip/Sub]".
            group = Unescape(
                line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            if (!group.empty() && group.front() == '/') group.erase(0, 1);
            continue;
        }
        const std::size_t equals = NameEnd(line);
        if (equals == std::string::npos) continue;
        const std::string name = Unescape(Stripped(line.substr(0, equals)));
        m_values[Key(group, name)] = ValueOf(Stripped(line.substr(equals + 1)));
    }
}

std::string PlainConfigFile::GetString(std::string_view section, std::string_view name,
                                       std::string_view fallback) const {
    const auto found = m_values.find(Key(section, name));
    return found == m_values.end() ? std::string(fallback) : found->second;
}

int PlainConfigFile::GetInt(std::string_view section, std::string_view name, int fallback) const {
    const std::string text = GetString(section, name, {});
    if (text.empty()) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || value < INT_MIN || value > INT_MAX) return fallback;
    return static_cast<int>(value);
}

std::vector<std::string> PlainConfigFile::RecentFiles() const {
    std::vector<std::string> files;
    for (int number = 1; number <= RecentFileCount; ++number) {
        const std::string file = GetString("Recent File List", "File" + std::to_string(number), {});
        if (!file.empty()) files.push_back(file);
    }
    return files;
}
