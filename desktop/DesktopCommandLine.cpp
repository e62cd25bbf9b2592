#include "desktop/DesktopCommandLine.h"

#include "GastrologVersion.h"

namespace {

enum class Switch { None, Print, PrintTo, Unregister, Version, Ignored };

// The switches the framework knew, without their "/" or "-". "dde", "Embedding" and
// "Automation" were for starts by the Windows shell and OLE; they are accepted and ignored.
Switch SwitchNamed(const wxString& name) {
    const wxString lower = name.Lower();
    if (lower == "p") return Switch::Print;
    if (lower == "pt") return Switch::PrintTo;
    if (lower == "unregister" || lower == "unregserver") return Switch::Unregister;
    if (lower == "dde" || lower == "embedding" || lower == "automation") return Switch::Ignored;
    return Switch::None;
}

// A "-" argument is always a switch (unknown ones are ignored, as the framework did); a "/"
// argument only when it names one, so absolute paths stay paths.
Switch ReadSwitch(const wxString& argument) {
    if (argument == "--version") return Switch::Version;
    if (argument.length() < 2) return Switch::None;
    const Switch named = SwitchNamed(argument.Mid(1));
    if (argument[0] == '-') return named == Switch::None ? Switch::Ignored : named;
    if (argument[0] == '/') return named;
    return Switch::None;
}

}  // namespace

DesktopCommandLine ParseDesktopCommandLine(const wxArrayString& arguments) {
    DesktopCommandLine line;
    bool print = false, printTo = false, unregister = false, version = false;
    bool switchesEnded = false;
    for (const wxString& argument : arguments) {
        const Switch found = switchesEnded ? Switch::None : ReadSwitch(argument);
        if (!switchesEnded && argument == "--") {
            switchesEnded = true;
            continue;
        }
        switch (found) {
            case Switch::Print:
                print = true;
                continue;
            case Switch::PrintTo:
                printTo = true;
                continue;
            case Switch::Unregister:
                unregister = true;
                continue;
            case Switch::Version:
                version = true;
                continue;
            case Switch::Ignored:
                continue;
            case Switch::None:
                break;
        }
        // The first plain word is the file; with /pt the next one names the printer.
        if (line.file.empty())
            line.file = argument;
        else if (printTo && line.printer.empty())
            line.printer = argument;
    }

    if (version) {
        line.action = DesktopCommandLine::Action::ShowVersion;
    } else if (unregister) {
        line.action = DesktopCommandLine::Action::RemoveSettings;
    } else if (print || printTo) {
        line.action =
            printTo ? DesktopCommandLine::Action::PrintTo : DesktopCommandLine::Action::PrintDiary;
        if (line.file.empty()) {
            line.action = DesktopCommandLine::Action::Invalid;
            line.problem = "Printing needs the name of a diary file.";
        } else if (printTo && line.printer.empty()) {
            line.action = DesktopCommandLine::Action::Invalid;
            line.problem = "Printing to a printer needs the printer's name after the file.";
        }
    } else {
        line.action = line.file.empty() ? DesktopCommandLine::Action::NewDiary
                                        : DesktopCommandLine::Action::OpenDiary;
    }
    return line;
}

wxString DesktopVersionLine() {
    return "gastrolog " GASTROLOG_VERSION;
}
