// What the engine computes, kept by the document, and the Action commands around it.

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"

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
    GenerateCurrentLists(generate);
    m_listsCurrent = false;
    m_nextAction = command::UpdateSymptoms;
    if (CheckNewDay(true)) {
        StartNewDay();
    } else {
        m_nextAction = command::CreateDayList;
    }
}

void CGastrologDoc::GenerateCurrentLists(const std::function<GeneratedLists()>& generate) {
    Ui().BeginWaitCursor();
    SetGeneratedLists(generate());
    Ui().EndWaitCursor();
    m_listsCurrent = true;
}

void CGastrologDoc::RelateFoodsToSymptoms(Relationships relationships) {
    SetRelationships(std::move(relationships));
    Ui().ShowRelationships(m_relateSymptoms, m_relateBest, m_relateWorst);
}
