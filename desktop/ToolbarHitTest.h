#pragma once
// The toolbar button under a point. wxWidgets cannot tell on GTK (FindToolForPosition is not
// implemented there), so the toolkit's own items are asked where they lie.

#include <wx/toolbar.h>

// The tool whose button holds the point (in the toolbar's client coordinates); nullptr over a
// gap, a separator or outside the buttons.
const wxToolBarToolBase* ToolAtPoint(const wxToolBar& toolBar, const wxPoint& point);
