#pragma once
// The daily reminder as a systemd user timer and service: the two unit files in
// ~/.config/systemd/user (the timer catches up a time missed while the computer slept), the
// systemctl commands that enable and disable them, and the settings that remember the time.
// The desktop runs the commands; everything that can be decided without a process is here.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diary/FileResult.h"

namespace reminder_units {

inline constexpr std::string_view TimerName = "gastrolog-reminder.timer";
inline constexpr std::string_view ServiceName = "gastrolog-reminder.service";

// Settings (section "Settings"): the reminder's time as "HH:MM", empty while it is off; and
// whether the Today window opens after the new-day question's Yes (1) or not (0, the default).
inline constexpr std::string_view TimeSetting = "ReminderTime";
inline constexpr std::string_view TodayOnNewDaySetting = "TodayOnNewDay";

struct TimeOfDay {
    int hour = 20;
    int minute = 0;
    bool operator==(const TimeOfDay&) const = default;
};

// "HH:MM" (or "H:MM") with an hour 0-23 and minutes 0-59; nullopt for anything else.
std::optional<TimeOfDay> ParseTime(std::string_view text);
std::string TimeText(TimeOfDay time);

// $XDG_CONFIG_HOME/systemd/user, or ~/.config/systemd/user; empty without either variable.
std::string UnitFolder();

std::string TimerText(TimeOfDay time);
// The service runs "CLI remind"; the path is quoted and escaped for systemd.
std::string ServiceText(const std::string& cliPath);

// Writes both unit files, creating the folder.
FileResult WriteUnits(const std::string& folder, TimeOfDay time, const std::string& cliPath);
// Removes both unit files; a file that is not there is no failure.
FileResult RemoveUnits(const std::string& folder);

using Command = std::vector<std::string>;
// Succeeds only where a systemd user manager answers.
Command ProbeCommand();
// After WriteUnits: load the units and start the timer, now and at every login.
std::vector<Command> EnableCommands();
// Before RemoveUnits: stop the timer and take it out of the login.
std::vector<Command> DisableCommands();
// After RemoveUnits: forget the removed units.
Command ReloadCommand();

}  // namespace reminder_units
