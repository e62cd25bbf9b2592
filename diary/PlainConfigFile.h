#pragma once
// The desktop program's settings file, read without wx: the text format of wxFileConfig
// ("[Group]" lines, "key=value" lines, backslash escapes, values with blanks at either end in
// double quotes). The command line reads the recent-file list and the new-day hour from it.
// Read only: the file is the desktop's, and the desktop writes it.

#include <map>
#include <string>
#include <vector>

#include "diary/Ports.h"

class PlainConfigFile : public SettingsStore {
public:
    // $XDG_CONFIG_HOME/Gastrolog.conf, or ~/.config/Gastrolog.conf; empty when neither
    // XDG_CONFIG_HOME nor HOME is set.
    static std::string DefaultPath();

    // Reads the file; false when it cannot be read (the store is then empty).
    bool Load(const std::string& path);
    // Reads the text of a settings file.
    void Parse(const std::string& text);

    int GetInt(std::string_view section, std::string_view name, int fallback) const override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view fallback) const override;
    // The desktop owns the file: writes are not kept.
    void WriteInt(std::string_view, std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view, std::string_view) override {}

    // The recent-file list, most recent first ("Recent File List", File1 to File4).
    std::vector<std::string> RecentFiles() const;

private:
    std::map<std::string, std::string, std::less<>> m_values;  // "Group/Name" -> value
};
