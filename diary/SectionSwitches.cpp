// The six section switches of the View menu and their memory in the settings store.

#include <string_view>

#include "diary/GastrologDoc.h"
#include "diary/ViewSections.h"

namespace {

constexpr std::string_view ViewSettingsSection = "View";

}  // namespace

void CGastrologDoc::RememberSectionSwitch(int commandId, bool shown) {
    const int index = ViewSectionIndex(commandId);
    if (index >= 0)
        Settings().WriteInt(ViewSettingsSection,
                            ViewSections[static_cast<std::size_t>(index)].settingName,
                            shown ? 1 : 0);
}

void CGastrologDoc::LoadSectionSwitches() {
    for (const ViewSection& section : ViewSections) {
        bool* flag = SectionFlag(section.commandId);
        *flag = Settings().GetInt(ViewSettingsSection, section.settingName, *flag ? 1 : 0) != 0;
    }
}
