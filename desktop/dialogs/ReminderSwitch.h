#pragma once
// Turns the daily reminder on and off: the unit files of diary/ReminderUnits.h and the
// systemctl --user commands that load, start and stop the timer.

#include <wx/string.h>

#include <optional>

#include "diary/ReminderUnits.h"
#include "diary/Result.h"

// Whether systemd's user manager answers (without it no timer can run).
bool SystemdUserManagerAvailable();

// On at the time given, or off (nullopt). A reminder that could not be turned on is taken away
// again, so nothing half-made stays behind.
Result SwitchReminder(std::optional<reminder_units::TimeOfDay> time);

// The gastrolog-cli the service runs: the one beside this program, else the installed one.
wxString ReminderCommandLineProgram();
