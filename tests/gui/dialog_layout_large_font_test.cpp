// The dialogs' layout with every font three quarters larger, as a user with a large desktop
// font has it. GTK reads the scale when it starts, so it is set before main runs.

#include <stdlib.h>

#include "DialogLayoutChecks.h"

namespace {
const bool largeFonts = setenv("GDK_DPI_SCALE", "1.75", 1) == 0;
}  // namespace

TEST(DialogLayoutLargeFont, TheFontIsLarge) {
    ASSERT_TRUE(largeFonts);
    wxDialog probe(nullptr, wxID_ANY, "probe");
    EXPECT_GE(probe.ConvertDialogToPixels(wxSize(0, 8)).y, 20);
}

GASTROLOG_LAYOUT_TESTS(DialogLayoutLargeFont)
