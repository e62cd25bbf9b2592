#pragma once
// The program's command line, read as the original framework read it: a file to open, or
// "/p FILE" ("-p FILE") to print it and end; "--version" writes the version and ends. On Linux an
// argument starting with "/" is only a switch when it names one; otherwise it is a path.

#include <wx/arrstr.h>
#include <wx/string.h>

struct DesktopCommandLine {
    enum class Action {
        NewDiary,        // no file: a new, untitled diary
        OpenDiary,       // open the file
        PrintDiary,      // print the file to the default printer, then end
        PrintTo,         // print the file to the named printer, then end
        RemoveSettings,  // forget every setting, then end
        ShowVersion,     // write the version to standard output, then end
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
