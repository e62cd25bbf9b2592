#include "desktop/dialogs/ReminderSwitch.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace {

using reminder_units::Command;

wxString CommandText(const Command& command) {
    wxString text;
    for (const std::string& argument : command) text << (text.empty() ? "" : " ") << argument;
    return text;
}

// Runs the command and waits; the empty text when it succeeded, else what it said.
wxString Run(const Command& command) {
    wxArrayString output, errors;
    const long status =
        wxExecute(CommandText(command), output, errors, wxEXEC_SYNC | wxEXEC_NOEVENTS);
    if (status == 0) return {};
    wxString said;
    for (const wxString& line : errors) said << "\n" << line;
    return CommandText(command) + (status < 0 ? " could not be run." : " failed.") + said;
}

}  // namespace

bool SystemdUserManagerAvailable() {
    return Run(reminder_units::ProbeCommand()).empty();
}

wxString ReminderCommandLineProgram() {
    const wxFileName beside(wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath(),
                            "gastrolog-cli");
    return beside.FileExists() ? beside.GetFullPath() : wxString("/usr/bin/gastrolog-cli");
}

wxString SwitchReminder(std::optional<reminder_units::TimeOfDay> time) {
    const std::string folder = reminder_units::UnitFolder();
    if (!time) {
        // Stopping a timer that is not there fails harmlessly; the files go all the same.
        for (const Command& command : reminder_units::DisableCommands()) Run(command);
        const std::string failure = reminder_units::RemoveUnits(folder);
        Run(reminder_units::ReloadCommand());
        return wxString::FromUTF8(failure);
    }
    if (const std::string failure =
            reminder_units::WriteUnits(folder, *time, ReminderCommandLineProgram().utf8_string());
        !failure.empty())
        return wxString::FromUTF8(failure);
    for (const Command& command : reminder_units::EnableCommands()) {
        if (const wxString failure = Run(command); !failure.empty()) {
            SwitchReminder(std::nullopt);
            return failure;
        }
    }
    return {};
}
