#include "diary/QuietPorts.h"

#include <ctime>

#include "diary/FileNames.h"

int MemorySettings::GetInt(std::string_view section, std::string_view name, int fallback) const {
    const auto found = m_values.find({std::string(section), std::string(name)});
    if (found == m_values.end()) return fallback;
    // Only a whole number counts, as the desktop's settings store reads it.
    try {
        std::size_t used = 0;
        const int value = std::stoi(found->second, &used);
        return used == found->second.size() ? value : fallback;
    } catch (const std::exception&) {
        return fallback;
    }
}

void MemorySettings::WriteInt(std::string_view section, std::string_view name, int value) {
    m_values[{std::string(section), std::string(name)}] = std::to_string(value);
}

std::string MemorySettings::GetString(std::string_view section, std::string_view name,
                                      std::string_view fallback) const {
    const auto found = m_values.find({std::string(section), std::string(name)});
    return found == m_values.end() ? std::string(fallback) : found->second;
}

void MemorySettings::WriteString(std::string_view section, std::string_view name,
                                 std::string_view value) {
    m_values[{std::string(section), std::string(name)}] = std::string(value);
}

bool MemorySettings::Contains(std::string_view section, std::string_view name) const {
    return m_values.count({std::string(section), std::string(name)}) != 0;
}

std::string TitleFromPath(const std::string& path) {
    return path.empty() ? "Untitled" : file_names::NameOf(path);
}

std::string PlainHost::GetTitle() const {
    return TitleFromPath(m_path);
}

TimeValue SystemClock::Now() const {
    return static_cast<TimeValue>(std::time(nullptr));
}
