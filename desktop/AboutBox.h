#pragma once
// "About Gastrolog": the icon, the version and the maker's notice.

#include <wx/dialog.h>

class CAboutBox : public wxDialog {
public:
    static constexpr const char* VersionText = "Gastrolog    Version 3.4";
    static constexpr const char* NoticeText =
        "A food and symptom diary. It does not replace a doctor's advice.";

    explicit CAboutBox(wxWindow* parent);
};
