#pragma once
// "About Gastrolog": the icon, the version and the maker's notice.

#include <wx/dialog.h>

#include "GastrologVersion.h"

class CAboutBox : public wxDialog {
public:
    static constexpr const char* VersionText =
        "Gastrolog    Version " GASTROLOG_VERSION_MAJOR_MINOR;
    static constexpr const char* NoticeText =
        "A food and symptom diary. It does not replace a doctor's advice.";

    explicit CAboutBox(wxWindow* parent);
};
