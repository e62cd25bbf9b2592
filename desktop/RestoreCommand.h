#pragma once
// File > Restore from Backup...: choose a daily copy of a diary and open it as a new diary.

class wxWindow;
class DiaryDocument;

void RestoreFromBackup(wxWindow* parent, DiaryDocument& document);
