#pragma once
// The per-user settings store of the desktop program: a wxConfig whose groups are the
// sections ("Settings", "Tip", "Recent File List"). On Linux that is the file
// $XDG_CONFIG_HOME/Gastrolog.conf (~/.config/Gastrolog.conf).

#include <wx/confbase.h>
#include <wx/fileconf.h>

#include "diary/Ports.h"

class ConfigSettings : public SettingsStore {
public:
    // Works on the given configuration, or on the application's (wxConfigBase::Get()) at each
    // use when none is given.
    explicit ConfigSettings(wxConfigBase* config = nullptr) : m_config(config) {}

    // Makes the per-user XDG file the application's configuration, creating its folder.
    // Returns false (and leaves wx's default in place) when the folder cannot be made.
    static bool InstallApplicationConfig();
    // The settings file (recent diaries' full paths among them) is readable by its user only,
    // created so whatever the umask, and made so if an earlier version left it readable.
    static void MakePrivate(wxFileConfig& config, const wxString& path);

    int GetInt(std::string_view section, std::string_view name, int fallback) const override;
    void WriteInt(std::string_view section, std::string_view name, int value) override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view fallback) const override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;

private:
    wxConfigBase& Config() const;

    wxConfigBase* m_config;
};

// The key of a value in a section: "/Section/Name".
wxString SettingsKey(std::string_view section, std::string_view name);
