#include "diary/StoredRules.h"

namespace stored_rules {

namespace {

template <class Record>
const char* RecordsProblem(const std::vector<Record>& records) {
    for (const Record& record : records) {
        if (!IsSoundHistory(record.m_history)) return "a history does not hold 50 days";
        if (name_rules::CheckStored(record.m_name, *NameKindOf(record)) !=
            name_rules::Problem::None)
            return "a name breaks the rules for names";
    }
    return nullptr;
}

}  // namespace

bool IsSoundHistory(std::string_view history) {
    return history.size() == diary::HistoryLength;
}

const char* ListProblem(const std::vector<CFood>& foods) {
    return RecordsProblem(foods);
}

const char* ListProblem(const std::vector<CSymptom>& symptoms) {
    return RecordsProblem(symptoms);
}

const char* ListProblem(const std::vector<CHidden>& hidden) {
    return hidden.size() == diary::HiddenUnitCount ? nullptr
                                                   : "the network does not have five hidden units";
}

}  // namespace stored_rules
