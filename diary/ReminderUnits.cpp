#include "diary/ReminderUnits.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace reminder_units {

namespace {

namespace fs = std::filesystem;

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

std::string TwoDigits(int value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// A path in ExecStart: in double quotes, with "\", "\"" escaped and "%" doubled (systemd's
// specifier sign).
std::string QuotedForSystemd(const std::string& path) {
    std::string quoted = "\"";
    for (char character : path) {
        if (character == '\\' || character == '"') quoted += '\\';
        if (character == '%') quoted += '%';
        quoted += character;
    }
    return quoted + '"';
}

FileResult Failed(std::string message) {
    return {FileResult::Code::Failed, std::move(message), true};
}

FileResult WriteFile(const fs::path& path, const std::string& text) {
    const fs::path temporary = path.string() + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        if (!file.flush()) return Failed("Cannot write " + temporary.string() + ".");
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) return Failed("Cannot write " + path.string() + ": " + error.message() + ".");
    return FileResult::Success();
}

Command Systemctl(std::initializer_list<std::string_view> arguments) {
    Command command = {"systemctl", "--user"};
    for (std::string_view argument : arguments) command.emplace_back(argument);
    return command;
}

}  // namespace

std::optional<TimeOfDay> ParseTime(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon < 1 || colon > 2 || text.size() != colon + 3)
        return std::nullopt;
    for (std::size_t index = 0; index < text.size(); ++index)
        if (index != colon && !IsDigit(text[index])) return std::nullopt;
    const int hour = std::atoi(std::string(text.substr(0, colon)).c_str());
    const int minute = std::atoi(std::string(text.substr(colon + 1)).c_str());
    if (hour > 23 || minute > 59) return std::nullopt;
    return TimeOfDay{hour, minute};
}

std::string TimeText(TimeOfDay time) {
    return TwoDigits(time.hour) + ":" + TwoDigits(time.minute);
}

std::string UnitFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && *configHome == '/') return std::string(configHome) + "/systemd/user";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/systemd/user";
    return {};
}

std::string TimerText(TimeOfDay time) {
    return "[Unit]\n"
           "Description=Gastrolog daily reminder\n"
           "\n"
           "[Timer]\n"
           "OnCalendar=*-*-* " +
           TimeText(time) +
           ":00\n"
           "Persistent=true\n"
           "Unit=" +
           std::string(ServiceName) +
           "\n"
           "\n"
           "[Install]\n"
           "WantedBy=timers.target\n";
}

std::string ServiceText(const std::string& cliPath) {
    return "[Unit]\n"
           "Description=Gastrolog daily reminder: a notification when today's entries are due\n"
           "\n"
           "[Service]\n"
           "Type=oneshot\n"
           "ExecStart=" +
           QuotedForSystemd(cliPath) + " remind\n";
}

FileResult WriteUnits(const std::string& folder, TimeOfDay time, const std::string& cliPath) {
    if (folder.empty())
        return {FileResult::Code::Missing, "There is no home folder to keep the reminder in."};
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return Failed("Cannot make the folder " + folder + ": " + error.message() + ".");
    if (FileResult written = WriteFile(fs::path(folder) / ServiceName, ServiceText(cliPath));
        !written.IsOk())
        return written;
    return WriteFile(fs::path(folder) / TimerName, TimerText(time));
}

FileResult RemoveUnits(const std::string& folder) {
    if (folder.empty()) return FileResult::Success();
    for (std::string_view name : {TimerName, ServiceName}) {
        std::error_code error;
        fs::remove(fs::path(folder) / name, error);
        if (error)
            return Failed("Cannot remove " + (fs::path(folder) / name).string() + ": " +
                          error.message() + ".");
    }
    return FileResult::Success();
}

Command ProbeCommand() {
    return Systemctl({"show-environment"});
}

std::vector<Command> EnableCommands() {
    return {Systemctl({"daemon-reload"}), Systemctl({"enable", "--now", TimerName})};
}

std::vector<Command> DisableCommands() {
    return {Systemctl({"disable", "--now", TimerName})};
}

Command ReloadCommand() {
    return Systemctl({"daemon-reload"});
}

}  // namespace reminder_units
