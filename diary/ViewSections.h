#pragma once
// The six sections of the page that the View menu shows and hides, in the menu's order: each
// one's command id and the name under which the settings remember its switch.

#include <algorithm>
#include <iterator>
#include <string_view>

#include "diary/DiaryConstants.h"

struct ViewSection {
    int commandId;
    std::string_view settingName;
};

inline constexpr ViewSection ViewSections[] = {
    {command::ViewInclusions, "Inclusions"}, {command::ViewUnclassified, "Unclassified"},
    {command::ViewExclusions, "Exclusions"}, {command::ViewSymptoms, "Symptoms"},
    {command::ViewFoods, "Foods"},           {command::ViewHistory, "History"},
};

// The index of the section a View command id switches, or -1 for any other id.
inline constexpr int ViewSectionIndex(int commandId) {
    const auto found = std::find_if(
        std::begin(ViewSections), std::end(ViewSections),
        [commandId](const ViewSection& section) { return section.commandId == commandId; });
    return found == std::end(ViewSections) ? -1
                                           : static_cast<int>(found - std::begin(ViewSections));
}
