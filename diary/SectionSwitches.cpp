// The six section switches of the View menu and their memory in the settings store.

#include <string_view>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"

namespace {

constexpr std::string_view ViewSection = "View";

struct SectionName {
    int commandId;
    std::string_view name;
};

constexpr SectionName SectionNames[] = {
    {command::ViewInclusions, "Inclusions"}, {command::ViewUnclassified, "Unclassified"},
    {command::ViewExclusions, "Exclusions"}, {command::ViewSymptoms, "Symptoms"},
    {command::ViewFoods, "Foods"},           {command::ViewHistory, "History"},
};

}  // namespace

void CGastrologDoc::RememberSectionSwitch(int commandId, bool shown) {
    for (const SectionName& section : SectionNames)
        if (section.commandId == commandId)
            Settings().WriteInt(ViewSection, section.name, shown ? 1 : 0);
}

void CGastrologDoc::LoadSectionSwitches() {
    for (const SectionName& section : SectionNames) {
        bool* flag = SectionFlag(section.commandId);
        *flag = Settings().GetInt(ViewSection, section.name, *flag ? 1 : 0) != 0;
    }
}
