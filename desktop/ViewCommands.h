#pragma once
// The section switches of the View menu in one table, in the order of the diary's sections
// (diary/ViewSections.h): each one's menu text, status prompt and tooltip, and toolbar
// picture. The menu, the toolbar, the command strings, context help and the view's event
// bindings all read this table; whether a section is shown is the diary's.

#include <span>

#include "desktop/ToolbarArt.h"

struct ViewCommand {
    int id;
    const char* menuText;       // with its mnemonic
    const char* commandString;  // the status bar prompt, a line break, the tooltip
    ToolbarImage toolbarImage;
};

// The switches in menu order.
std::span<const ViewCommand> ViewCommands();
// The switch with this id, or null when it is not one of the table's.
const ViewCommand* FindViewCommand(int id);
