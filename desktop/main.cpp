// The desktop program's entry point.
#include <wx/init.h>

#include <cstdio>

#include "desktop/DesktopCommandLine.h"
#include "desktop/GastrologApp.h"

wxIMPLEMENT_APP_NO_MAIN(CGastrologApp);

int main(int argc, char** argv) {
    // --version is answered before the toolkit starts, so it needs no display.
    wxArrayString arguments;
    for (int index = 1; index < argc; ++index) arguments.push_back(wxString(argv[index]));
    if (ParseDesktopCommandLine(arguments).action == DesktopCommandLine::Action::ShowVersion) {
        std::puts(DesktopVersionLine().utf8_str());
        return 0;
    }
    return wxEntry(argc, argv);
}
