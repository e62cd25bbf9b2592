#pragma once
// Printing without any dialog, for "gastrolog -p FILE": the pages go into a PostScript file
// that the system's print command (lpr) hands to the default printer, or to the one named.
// GTK's own printing needs its dialog to choose a printer and can wait for ever without it.

#include <wx/string.h>

#include "diary/Result.h"

class CGastrologDoc;

// The full path of a program found on PATH, or an empty string.
wxString FindProgramOnPath(const wxString& name);

// Without lpr the page can still be printed from the program's own window.
inline constexpr const char* MissingSpoolerMessage =
    "The diary cannot be printed from the command line: the print command \"lpr\" is not "
    "installed (it comes with the package cups-bsd).\nOpen the diary and use File > Print "
    "Preview to print it, or File > Export Report to write a PDF.";

Result PrintThroughSpooler(const CGastrologDoc& diary, const wxString& title,
                           const wxString& printer);
