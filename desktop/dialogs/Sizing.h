#pragma once
// Sizes given in dialog units (a quarter of the average character width, an eighth of the
// character height) scale with the font, so the dialogs keep their proportions at any font
// size; a control never gets less than its text needs.

#include <wx/window.h>

// Makes the control at least this big in dialog units, and at least its best size.
void SetMinSizeInDialogUnits(wxWindow* control, const wxSize& dialogUnits);

class wxStaticBoxSizer;

// Keeps a group box at least as wide as its label, however narrow its contents are.
void KeepGroupLabelVisible(wxStaticBoxSizer* group);

class wxStaticText;

// Keeps room beside a dialog's day caption for the longest "on Wednesday, September 30, 2000"
// the diary can show, so the dialog is as wide whatever the date.
void ReserveDayCaptionWidth(wxStaticText* caption);
