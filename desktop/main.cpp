// The desktop program's entry point.
#include <wx/init.h>

#include <cstdio>

#include "desktop/DesktopCommandLine.h"
#include "desktop/GastrologApp.h"

wxIMPLEMENT_APP_NO_MAIN(CGastrologApp);

int main(int argc, char** argv) {
    // --version, --help and a mistaken switch are answered before the toolkit starts, so they
    // need no display.
    wxArrayString arguments;
    for (int index = 1; index < argc; ++index) arguments.push_back(wxString(argv[index]));
    if (const auto status = AnswerWithoutWindow(ParseDesktopCommandLine(arguments), stdout, stderr))
        return *status;
    return wxEntry(argc, argv);
}
