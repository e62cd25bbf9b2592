#include "desktop/ConfigSettings.h"

#include <sys/stat.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <climits>

#include "desktop/dialogs/DiaryText.h"

namespace {

const char* const ApplicationName = "Gastrolog";
const char* const VendorName = "Gastrolog";

}  // namespace

wxString SettingsKey(std::string_view section, std::string_view name) {
    return "/" + FromDiaryText(section) + "/" + FromDiaryText(name);
}

bool ConfigSettings::InstallApplicationConfig() {
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    const wxString folder = wxStandardPaths::Get().GetUserConfigDir();
    if (!wxFileName::DirExists(folder) &&
        !wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
        return false;
    auto* config = new wxFileConfig(ApplicationName, VendorName);
    MakePrivate(*config, wxFileConfig::GetLocalFileName(ApplicationName, wxCONFIG_USE_LOCAL_FILE));
    delete wxConfigBase::Set(config);
    return true;
}

void ConfigSettings::MakePrivate(wxFileConfig& config, const wxString& path) {
    config.SetUmask(0077);
    // A file written before keeps its mode through every save unless changed here.
    if (wxFileName::FileExists(path)) ::chmod(path.fn_str(), 0600);
}

wxConfigBase& ConfigSettings::Config() const {
    wxConfigBase* config = m_config ? m_config : wxConfigBase::Get();
    wxASSERT_MSG(config, "no configuration");
    return *config;
}

int ConfigSettings::GetInt(std::string_view section, std::string_view name, int fallback) const {
    long value = 0;
    // A value that is not a number, or not one an int can hold, counts as absent.
    if (!Config().Read(SettingsKey(section, name), &value) || value < INT_MIN || value > INT_MAX)
        return fallback;
    return static_cast<int>(value);
}

void ConfigSettings::WriteInt(std::string_view section, std::string_view name, int value) {
    Config().Write(SettingsKey(section, name), static_cast<long>(value));
    // Written at once, so a later crash or a second running copy cannot lose it.
    Config().Flush();
}

std::string ConfigSettings::GetString(std::string_view section, std::string_view name,
                                      std::string_view fallback) const {
    wxString value;
    if (!Config().Read(SettingsKey(section, name), &value)) return std::string(fallback);
    return ToDiaryText(value).value_or(std::string(fallback));
}

void ConfigSettings::WriteString(std::string_view section, std::string_view name,
                                 std::string_view value) {
    Config().Write(SettingsKey(section, name), FromDiaryText(value));
    Config().Flush();
}
