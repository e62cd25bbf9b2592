// The desktop program's entry point.
#include "app/GastrologApp.h"

wxIMPLEMENT_APP(CGastrologApp);
