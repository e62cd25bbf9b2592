#include "desktop/dialogs/DiaryText.h"

#include "diary/Windows1252.h"

wxString FromDiaryText(std::string_view bytes) {
    const std::string utf8 = Windows1252ToUtf8(bytes);
    return wxString::FromUTF8(utf8.data(), utf8.size());
}

std::optional<std::string> ToDiaryText(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return Utf8ToWindows1252(std::string_view(utf8.data(), utf8.length()));
}
