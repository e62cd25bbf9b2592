// The desktop program's entry point.
#include "desktop/GastrologApp.h"

wxIMPLEMENT_APP(CGastrologApp);
