#include "desktop/ActionCommands.h"

#include <algorithm>

#include "desktop/DiaryDocument.h"
#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "engine/EngineCommands.h"

namespace {

const ActionCommand Commands[] = {
    // Ratings and foods in one window, through the same operations as the next two commands.
    {command::Today, "&Today...\tCtrl+T",
     "Rate today's symptoms and tick today's foods in one window\nToday", ToolbarImage::Today, true,
     true, [](DiaryDocument& document) { document.ShowToday(); }},
    {command::UpdateSymptoms, "Update &Symptoms...", "Update changes to symptoms\nUpdate Symptoms",
     ToolbarImage::UpdateSymptoms, false, true,
     [](DiaryDocument& document) { document.Core().OnUpdateSymptoms(); }},
    {command::CreateDayList, "&Create Day List...",
     "Create today's list of foods & drinks\nCreate day list", ToolbarImage::CreateDayList, false,
     true, [](DiaryDocument& document) { document.Core().OnCreateDayList(); }},
    {command::UpdateConnections, "&Update Connections...",
     "Update network connections\nUpdate connections", ToolbarImage::UpdateConnections, false, true,
     [](DiaryDocument& document) { document.UpdateConnectionsWithProgress(); }},
    {command::GenerateTomorrowsLists, "&Generate Tomorrow's Lists",
     "Generate tomorrow's exclusion and inclusion lists\nGenerate tomorrows lists",
     ToolbarImage::GenerateTomorrowsLists, false, true,
     [](DiaryDocument& document) { OnGenerateTomorrowsLists(document.Core()); }},
    {command::GenerateCurrentLists, "Generate Current &Lists",
     "Generate current exclusion and inclusion lists\nGenerate current lists",
     ToolbarImage::GenerateCurrentLists, true, true,
     [](DiaryDocument& document) { OnGenerateCurrentLists(document.Core()); }},
    {command::RelateFoodsToSymptoms, "&Relate Foods to Symptoms",
     "Find relationships between foods and symptoms\nRelate foods to symptoms",
     ToolbarImage::RelateFoodsToSymptoms, false, true,
     [](DiaryDocument& document) { OnRelateFoodsToSymptoms(document.Core()); }},
    // The Evidence window only reads the diary: it is there on every day.
    {command::ShowEvidence, "&Evidence...",
     "Count how often each symptom was worse or better on the day after each food\nEvidence",
     ToolbarImage::Evidence, false, false,
     [](DiaryDocument& document) { document.ShowEvidence(); }},
};

}  // namespace

std::span<const ActionCommand> ActionCommands() {
    return Commands;
}

const ActionCommand* FindActionCommand(int id) {
    const auto found =
        std::find_if(std::begin(Commands), std::end(Commands),
                     [id](const ActionCommand& command) { return command.id == id; });
    return found == std::end(Commands) ? nullptr : &*found;
}
