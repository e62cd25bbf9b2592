#include "desktop/ViewCommands.h"

#include <algorithm>
#include <iterator>

#include "diary/ViewSections.h"

namespace {

constexpr ViewCommand Commands[] = {
    {command::ViewInclusions, "&Inclusions", "Show or hide the inclusions list\nView inclusions",
     ToolbarImage::Inclusions},
    {command::ViewUnclassified, "&Unclassified",
     "Show or hide the unclassified or not recently eaten list\nView unclassified",
     ToolbarImage::Unclassified},
    {command::ViewExclusions, "&Exclusions", "Show or hide the exclusions list\nView exclusions",
     ToolbarImage::Exclusions},
    {command::ViewSymptoms, "S&ymptoms", "Show or hide list of symptoms\nView symptoms",
     ToolbarImage::Symptoms},
    {command::ViewFoods, "&Foods", "Show or hide the foods list\nView foods", ToolbarImage::Foods},
    {command::ViewHistory, "&History", "Show or hide history\nView history", ToolbarImage::History},
};

constexpr bool FollowsTheDiarysSections() {
    if (std::size(Commands) != std::size(ViewSections)) return false;
    for (std::size_t i = 0; i < std::size(Commands); ++i)
        if (Commands[i].id != ViewSections[i].commandId) return false;
    return true;
}
static_assert(FollowsTheDiarysSections(), "one switch for each section, in the diary's order");

}  // namespace

std::span<const ViewCommand> ViewCommands() {
    return Commands;
}

const ViewCommand* FindViewCommand(int id) {
    const auto found = std::find_if(std::begin(Commands), std::end(Commands),
                                    [id](const ViewCommand& command) { return command.id == id; });
    return found == std::end(Commands) ? nullptr : &*found;
}
