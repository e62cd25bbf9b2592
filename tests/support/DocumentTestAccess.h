#pragma once
// Tests and benchmarks build diaries in states no sequence of commands reaches quickly (fifty
// days of history at once, a weight set to infinity, a list left over from an earlier run).
// They reach the document's members through this one door; the program itself changes the
// document only through its methods.

#include "diary/GastrologDoc.h"

// Every member of the document, by reference, under its own name.
struct DocumentMembers {
    StringList& m_dayList;
    StringList& m_foodNames;
    StringList& m_symptomLines;
    StringList& m_relateSymptoms;
    StringList& m_relateBest;
    StringList& m_relateWorst;
    std::int32_t& m_nextAction;
    bool& m_listsCurrent;
    bool& m_showFoods;
    bool& m_showSymptoms;
    bool& m_showExclusions;
    bool& m_showInclusions;
    bool& m_showUnclassified;
    bool& m_showHistory;
    std::int32_t& m_dayCount;
    TimeValue& m_lastUpdate;
    std::vector<CFood>& m_foods;
    std::vector<CExclusion>& m_exclusions;
    std::vector<CInclusion>& m_inclusions;
    std::vector<COver50Day>& m_over50Days;
    std::vector<CSymptom>& m_symptoms;
    std::vector<CHidden>& m_hidden;
    bool& m_yesterday;
};

class DocumentTestAccess {
public:
    static DocumentMembers Members(CGastrologDoc& doc) {
        return {doc.m_dayList,          doc.m_foodNames,      doc.m_symptomLines,
                doc.m_relateSymptoms,   doc.m_relateBest,     doc.m_relateWorst,
                doc.m_nextAction,       doc.m_listsCurrent,   doc.m_showFoods,
                doc.m_showSymptoms,     doc.m_showExclusions, doc.m_showInclusions,
                doc.m_showUnclassified, doc.m_showHistory,    doc.m_dayCount,
                doc.m_lastUpdate,       doc.m_foods,          doc.m_exclusions,
                doc.m_inclusions,       doc.m_over50Days,     doc.m_symptoms,
                doc.m_hidden,           doc.m_yesterday};
    }
};

inline DocumentMembers Members(CGastrologDoc& doc) {
    return DocumentTestAccess::Members(doc);
}
