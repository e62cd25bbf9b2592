#pragma once
// The pictures of the toolbar and the program's icon, drawn in code at start-up so the program
// carries no image files. Every picture is drawn on a 30 by 30 grid and scaled to the size
// asked for.

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

#include <vector>

// The 21 toolbar pictures, in toolbar order.
enum class ToolbarImage {
    New,
    Open,
    Save,
    Today,
    UpdateSymptoms,
    CreateDayList,
    UpdateConnections,
    GenerateTomorrowsLists,
    Inclusions,
    Unclassified,
    Exclusions,
    Symptoms,
    Foods,
    History,
    Charts,
    GenerateCurrentLists,
    RelateFoodsToSymptoms,
    Evidence,
    Print,
    About,
    ContextHelp,
};

inline constexpr int ToolbarImageCount = 21;
inline constexpr int ToolbarImageSize = 30;

// One picture, size by size pixels, with a transparent background.
wxBitmap DrawToolbarImage(ToolbarImage image, int size = ToolbarImageSize);

// The program's icon (a diary with an apple), size by size pixels.
wxBitmap DrawMainIcon(int size);
// The icon in the sizes window managers ask for.
wxIconBundle DrawMainIcons();
