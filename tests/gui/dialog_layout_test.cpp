// The dialogs' layout at the desktop's usual font size.

#include "DialogLayoutChecks.h"

GASTROLOG_LAYOUT_TESTS(DialogLayout)
