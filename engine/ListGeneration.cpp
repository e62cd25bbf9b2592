#include "engine/ListGeneration.h"

#include <span>

#include "diary/GastrologDoc.h"
#include "engine/Network.h"
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

GeneratedLists GenerateLists(const NetworkView& view, int unclassifiedAction) {
    SortedNameList included, excluded, separate;
    SortedNameList& unclassified = unclassifiedAction == PutInExclusions  ? excluded
                                   : unclassifiedAction == ListSeparately ? separate
                                                                          : included;

    GeneratedLists lists;
    const std::size_t foodCount = view.foods.size();
    const std::size_t symptomCount = view.symptoms.size();
    const std::vector<float> outputs = TestPassScorer::SymptomOutputs(view);
    const double baseline = foodCount == 0 ? 0.0 : BaselineOf(outputs, foodCount, symptomCount);
    for (std::size_t i = 0; i < foodCount; ++i) {
        const CFood& food = view.foods[i];
        const double score =
            ScoreOf(std::span<const float>(outputs).subspan(i * symptomCount, symptomCount));
        SortedNameList& list = !IsRecentlyEaten(food) ? unclassified
                               : score > baseline     ? included
                                                      : excluded;
        list.Insert(food.m_name);
        lists.scores.push_back(static_cast<float>(score));
    }
    CopyNames(included, lists.inclusions);
    CopyNames(excluded, lists.exclusions);
    CopyNames(separate, lists.over50Days);
    lists.baseline = baseline;
    // Leave the network as the last food's test pass leaves it.
    if (foodCount > 0) ForwardPass(view, 0, static_cast<int>(foodCount - 1));
    return lists;
}

GeneratedLists GenerateLists(CGastrologDoc& doc, int unclassifiedAction) {
    return GenerateLists(doc.Network(), unclassifiedAction);
}

GeneratedLists GenerateLists(CGastrologDoc& doc) {
    return GenerateLists(doc, doc.GetSetting(setting::UnclassifiedAction, PutInInclusions));
}

GeneratedLists ListsOf(const CGastrologDoc& doc, int unclassifiedAction) {
    std::vector<CFood> foods = doc.Foods();
    std::vector<CSymptom> symptoms = doc.Symptoms();
    std::vector<CHidden> hidden = doc.HiddenUnits();
    return GenerateLists(NetworkView{foods, symptoms, hidden, doc.DayCount()}, unclassifiedAction);
}
