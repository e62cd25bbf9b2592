#include "desktop/DesktopCommandLine.h"

#include "GastrologVersion.h"

namespace {

enum class Switch { None, Print, PrintTo, Unregister, Version, Help, Ignored, Unknown };

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

// A "-" argument is always a switch (one the program does not know is a mistake); a "/"
// argument only when it names one, so absolute paths stay paths.
Switch ReadSwitch(const wxString& argument) {
    if (argument == "--version") return Switch::Version;
    if (argument == "--help" || argument == "-h") return Switch::Help;
    if (argument.length() < 2) return Switch::None;
    const Switch named = SwitchNamed(argument.Mid(1));
    if (argument[0] == '-') return named == Switch::None ? Switch::Unknown : named;
    if (argument[0] == '/') return named;
    return Switch::None;
}

}  // namespace

DesktopCommandLine ParseDesktopCommandLine(const wxArrayString& arguments) {
    DesktopCommandLine line;
    bool print = false, printTo = false, unregister = false, version = false, help = false;
    wxString unknown;
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
            case Switch::Help:
                help = true;
                continue;
            case Switch::Unknown:
                if (unknown.empty()) unknown = argument;
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

    if (!unknown.empty()) {
        line.action = DesktopCommandLine::Action::UnknownSwitch;
        line.problem = "gastrolog: unknown option \"" + unknown + "\"";
    } else if (help) {
        line.action = DesktopCommandLine::Action::ShowHelp;
    } else if (version) {
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

wxString DesktopUsage() {
    return "Usage: gastrolog [DIARY.glg]          open the diary (none: a new diary)\n"
           "       gastrolog -p DIARY.glg         print the diary's page, then end\n"
           "       gastrolog /pt DIARY.glg PRINTER print it on the named printer, then end\n"
           "       gastrolog /Unregister          remove every stored setting, then end\n"
           "       gastrolog --version            write the version, then end\n"
           "       gastrolog --help               write this text, then end\n"
           "An argument after \"--\" is a file name. gastrolog-cli works on diaries without a "
           "window.\n";
}

std::optional<int> AnswerWithoutWindow(const DesktopCommandLine& line, std::FILE* out,
                                       std::FILE* err) {
    switch (line.action) {
        case DesktopCommandLine::Action::ShowVersion:
            std::fprintf(out, "%s\n", DesktopVersionLine().utf8_string().c_str());
            return 0;
        case DesktopCommandLine::Action::ShowHelp:
            std::fputs(DesktopUsage().utf8_string().c_str(), out);
            return 0;
        case DesktopCommandLine::Action::UnknownSwitch:
            std::fprintf(err, "%s\n%s", line.problem.utf8_string().c_str(),
                         DesktopUsage().utf8_string().c_str());
            return 2;
        default:
            return std::nullopt;
    }
}
