#pragma once
// Diary names are Windows-1252 bytes; the windows show Unicode. These two conversions are the
// only place where one becomes the other, so every byte of a name survives the trip through a
// list box (wxCSConv cannot promise that: the system converter refuses the five bytes the code
// page leaves undefined and returns an empty string for the whole name).

#include <wx/string.h>

#include <optional>
#include <string>
#include <string_view>

// The text a window shows for a name from the diary; never fails.
wxString FromDiaryText(std::string_view bytes);

// The diary bytes for a text from a window; nullopt when it holds a character the diary
// cannot store.
std::optional<std::string> ToDiaryText(const wxString& text);
