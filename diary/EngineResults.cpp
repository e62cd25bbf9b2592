// What the engine computes, kept by the document, and the Action commands around it.

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"

NetworkView CGastrologDoc::Network() {
    return {m_foods, m_symptoms, m_hidden, m_dayCount};
}

void CGastrologDoc::SetGeneratedLists(GeneratedLists lists) {
    m_inclusions = std::move(lists.inclusions);
    m_exclusions = std::move(lists.exclusions);
    m_over50Days = std::move(lists.over50Days);
    for (std::size_t i = 0; i < m_foods.size() && i < lists.scores.size(); ++i)
        m_foods[i].m_score = lists.scores[i];
    SetModifiedFlag(true);
    UpdateAllViews();
}

void CGastrologDoc::SetRelationships(Relationships relationships) {
    m_relateSymptoms = std::move(relationships.symptoms);
    m_relateBest = std::move(relationships.bestFoods);
    m_relateWorst = std::move(relationships.worstFoods);
}

void CGastrologDoc::UpdateConnections(int epochs, const TrainingRun& train) {
    Ui().BeginWaitCursor();
    ProgressIndicator& progress = Progress();
    progress.Open();
    progress.SetRange(0, epochs);
    progress.SetPos(0);
    progress.SetStep(1);
    train([&progress] { progress.StepIt(); });
    progress.Close();
    SetModifiedFlag(true);
    UpdateAllViews();
    m_nextAction = command::GenerateTomorrowsLists;
    Ui().EndWaitCursor();
}

void CGastrologDoc::GenerateTomorrowsLists(const std::function<GeneratedLists()>& generate) {
    const bool wasModified = Host().IsModified();
    const std::optional<std::vector<std::uint8_t>> before = StoredBytes();
    GenerateCurrentLists(generate);
    m_listsCurrent = false;
    // For the day after the one just entered, which may be yesterday's, whatever day follows.
    m_listsDay = calendar::DaysEarlier(m_lastUpdate, -1);
    m_nextAction = command::UpdateSymptoms;
    if (CheckNewDay(true)) {
        StartNewDay();
    } else {
        m_nextAction = command::CreateDayList;
    }
    KeepUnmodifiedUnlessStoredChanged(wasModified, before);
}

void CGastrologDoc::GenerateCurrentLists(const std::function<GeneratedLists()>& generate) {
    const bool wasModified = Host().IsModified();
    const std::optional<std::vector<std::uint8_t>> before = StoredBytes();
    Ui().BeginWaitCursor();
    SetGeneratedLists(generate());
    Ui().EndWaitCursor();
    m_listsCurrent = true;
    KeepUnmodifiedUnlessStoredChanged(wasModified, before);
}

// The lists are not stored: a diary stays unmodified unless what a save writes changed (the
// network's last test pass is kept in the stored units, a new day rolls the histories).
void CGastrologDoc::KeepUnmodifiedUnlessStoredChanged(
    bool wasModified, const std::optional<std::vector<std::uint8_t>>& before) {
    if (!wasModified && before && StoredBytes() == before) SetModifiedFlag(false);
}

void CGastrologDoc::RelateFoodsToSymptoms(Relationships relationships) {
    SetRelationships(std::move(relationships));
    Ui().ShowRelationships(m_relateSymptoms, m_relateBest, m_relateWorst);
}
