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

Result Failed(const std::string& why) {
    return {Result::Code::Failed, why};
}

// Runs the command and waits; a failure carries what it said.
Result Run(const Command& command) {
    wxArrayString output, errors;
    const long status =
        wxExecute(CommandText(command), output, errors, wxEXEC_SYNC | wxEXEC_NOEVENTS);
    if (status == 0) return Result::Success();
    wxString said;
    for (const wxString& line : errors) said << "\n" << line;
    return Failed((CommandText(command) + (status < 0 ? " could not be run." : " failed.") + said)
                      .utf8_string());
}

}  // namespace

bool SystemdUserManagerAvailable() {
    return Run(reminder_units::ProbeCommand()).IsOk();
}

wxString ReminderCommandLineProgram() {
    const wxFileName beside(wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath(),
                            "gastrolog-cli");
    return beside.FileExists() ? beside.GetFullPath() : wxString("/usr/bin/gastrolog-cli");
}

Result SwitchReminder(std::optional<reminder_units::TimeOfDay> time) {
    const std::string folder = reminder_units::UnitFolder();
    if (!time) {
        // Stopping a timer that is not there fails harmlessly; the files go all the same.
        for (const Command& command : reminder_units::DisableCommands()) Run(command);
        Result removed = reminder_units::RemoveUnits(folder);
        Run(reminder_units::ReloadCommand());
        return removed;
    }
    if (Result written =
            reminder_units::WriteUnits(folder, *time, ReminderCommandLineProgram().utf8_string());
        !written.IsOk())
        return written;
    for (const Command& command : reminder_units::EnableCommands()) {
        if (Result failure = Run(command); !failure.IsOk()) {
            SwitchReminder(std::nullopt);
            return failure;
        }
    }
    return Result::Success();
}
