#pragma once
// The commands of the Action menu that the diary carries out, in one table: each command's id,
// menu text, status prompt and tooltip, toolbar picture, the diary's rule for when it may run
// and what runs it. The menu, the toolbar, the command strings, context help and the
// document's event bindings all read this table; the rules themselves are the diary's.

#include <span>

#include "desktop/ToolbarArt.h"

class DiaryDocument;

struct ActionCommand {
    int id;
    const char* menuText;       // with its mnemonic
    const char* commandString;  // the status bar prompt, a line break, the tooltip
    ToolbarImage toolbarImage;
    bool startsMenuGroup;  // a separator goes above it in the menu
    // Whether the diary's rule for the command decides when it is enabled
    // (CGastrologDoc::IsActionEnabled); a command without a rule always is.
    bool hasEnableRule;
    void (*run)(DiaryDocument& document);
};

// The commands in menu order.
std::span<const ActionCommand> ActionCommands();
// The command with this id, or null when it is not one of the table's.
const ActionCommand* FindActionCommand(int id);
