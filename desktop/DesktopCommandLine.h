#pragma once
// The program's command line, read as the original framework read it: a file to open, or
// "/p FILE" ("-p FILE") to print it and end; "--version" writes the version and ends; "--help"
// writes the usage and ends. On Linux an argument starting with "/" is only a switch when it
// names one; otherwise it is a path. A "-" switch the program does not know is a mistake: the
// usage goes to standard error and the program ends with status 2.

#include <wx/arrstr.h>
#include <wx/string.h>

#include <cstdio>
#include <optional>

struct DesktopCommandLine {
    enum class Action {
        NewDiary,        // no file: a new, untitled diary
        OpenDiary,       // open the file
        PrintDiary,      // print the file to the default printer, then end
        PrintTo,         // print the file to the named printer, then end
        RemoveSettings,  // forget every setting, then end
        ShowVersion,     // write the version to standard output, then end
        ShowHelp,        // write the usage to standard output, then end
        UnknownSwitch,   // write `problem` and the usage to standard error, end with status 2
        Invalid,         // nothing sensible to do: show `problem` and end
    };

    Action action = Action::NewDiary;
    wxString file;
    wxString printer;
    wxString problem;
};

// arguments: the words after the program's name.
DesktopCommandLine ParseDesktopCommandLine(const wxArrayString& arguments);

// The answer to "--version", as one line.
wxString DesktopVersionLine();

// The switches, one line each, for "--help" and after an unknown switch.
wxString DesktopUsage();

// What main() does before the toolkit starts: answers --version, --help and an unknown switch
// on the given streams and returns the exit status; nullopt when the program is to run.
std::optional<int> AnswerWithoutWindow(const DesktopCommandLine& line, std::FILE* out,
                                       std::FILE* err);
