// Inclusion, exclusion and unclassified lists from the trained network.

#include <span>

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "engine/NetworkArithmetic.h"
#include "engine/SortedNameList.h"
#include "engine/TestPassScorer.h"
#include "engine/TrainingSchedule.h"

namespace {

// Where the option sends a food not eaten within the kept history.
enum UnclassifiedAction { PutInInclusions = 0, PutInExclusions = 1, ListSeparately = 2 };

// Eaten on any of the last 49 days; the oldest position does not count.
bool IsRecentlyEaten(const CFood& food) {
    for (int position = 1; position < network::HistoryLength; ++position)
        if (diary::IsEaten(network::CodeAt(food.m_history, position))) return true;
    return false;
}

// The sum of a food's symptom outputs, in symptom order.
double ScoreOf(std::span<const float> symptomOutputs) {
    double score = 0.0;
    for (const float output : symptomOutputs) score += static_cast<double>(output);
    return score;
}

// The mean over all foods of each symptom's output, summed over the symptoms.
double BaselineOf(const std::vector<float>& outputs, std::size_t foodCount,
                  std::size_t symptomCount) {
    std::vector<double> perSymptom(symptomCount, 0.0);
    for (std::size_t food = 0; food < foodCount; ++food)
        for (std::size_t s = 0; s < symptomCount; ++s)
            perSymptom[s] += static_cast<double>(outputs[food * symptomCount + s]);
    double baseline = 0.0;
    for (double& sum : perSymptom) {
        sum /= static_cast<double>(foodCount);
        baseline += sum;
    }
    return baseline;
}

template <typename Entry>
void CopyNames(const SortedNameList& names, std::vector<Entry>& entries) {
    for (const std::string& name : names.Names()) entries.emplace_back(name);
}

}  // namespace

double CGastrologDoc::GenerateLists() {
    return GenerateLists(
        Settings().GetInt(setting::Section, setting::UnclassifiedAction, PutInInclusions));
}

double CGastrologDoc::GenerateLists(int unclassifiedAction) {
    Ui().BeginWaitCursor();
    m_inclusions.clear();
    m_exclusions.clear();
    m_over50Days.clear();
    SortedNameList included, excluded, separate;
    SortedNameList& unclassified = unclassifiedAction == PutInExclusions  ? excluded
                                   : unclassifiedAction == ListSeparately ? separate
                                                                          : included;

    const std::size_t foodCount = m_foods.size();
    const std::size_t symptomCount = m_symptoms.size();
    const std::vector<float> outputs = TestPassScorer::SymptomOutputs(*this);
    const double baseline = foodCount == 0 ? 0.0 : BaselineOf(outputs, foodCount, symptomCount);
    for (std::size_t i = 0; i < foodCount; ++i) {
        CFood& food = m_foods[i];
        const double score =
            ScoreOf(std::span<const float>(outputs).subspan(i * symptomCount, symptomCount));
        SortedNameList& list = !IsRecentlyEaten(food) ? unclassified
                               : score > baseline     ? included
                                                      : excluded;
        list.Insert(food.m_name);
        food.m_score = static_cast<float>(score);
    }
    CopyNames(included, m_inclusions);
    CopyNames(excluded, m_exclusions);
    CopyNames(separate, m_over50Days);
    // Leave the network as the last food's test pass leaves it.
    if (foodCount > 0) ForwardPass(0, static_cast<int>(foodCount - 1));

    SetModifiedFlag(true);
    UpdateAllViews();
    Ui().EndWaitCursor();
    return baseline;
}

void CGastrologDoc::OnGenerateTomorrowsLists() {
    const bool wasModified = Host().IsModified();
    const std::optional<std::vector<std::uint8_t>> before = StoredBytes();
    GenerateLists();
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

void CGastrologDoc::OnGenerateCurrentLists() {
    const bool wasModified = Host().IsModified();
    const std::optional<std::vector<std::uint8_t>> before = StoredBytes();
    GenerateLists();
    m_listsCurrent = true;
    KeepUnmodifiedUnlessStoredChanged(wasModified, before);
}

// The lists are not stored: a diary stays unmodified unless what a save writes changed (the
// network's last test pass is kept in the stored units, a new day rolls the histories).
void CGastrologDoc::KeepUnmodifiedUnlessStoredChanged(
    bool wasModified, const std::optional<std::vector<std::uint8_t>>& before) {
    if (!wasModified && before && StoredBytes() == before) SetModifiedFlag(false);
}
