#pragma once
// The desktop's settings file read without a window library, so that the command line keeps
// the copies the user chose in Options. The file is wxFileConfig's: "[Group]" lines, then
// "name=value" lines; "#" or ";" start a comment; a value in double quotes keeps its
// spaces; a backslash escapes the next character (\n, \t, \r, \\, \").

#include <string>
#include <vector>

#include "diary/FileSystem.h"
#include "diary/QuietPorts.h"

namespace settings_file {

// $XDG_CONFIG_HOME/Gastrolog.conf, or ~/.config/Gastrolog.conf; empty if neither is known.
std::string DefaultPath();

// The settings the file holds; none when it is missing or cannot be read. Values are the
// file's text (UTF-8).
MemorySettings Read(const std::string& path, FileSystem& files = RealFileSystem());

// The file's settings parsed from its text.
MemorySettings Parse(const std::string& text);

// The desktop's recent-file list ("Recent File List", File1 to File4), most recent first.
std::vector<std::string> RecentFiles(const SettingsStore& settings);

}  // namespace settings_file
