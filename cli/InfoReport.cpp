#include "cli/InfoReport.h"

#include <ostream>
#include <string>

#include "cli/TextTable.h"
#include "diary/GastrologDoc.h"
#include "diary/LivedDays.h"
#include "diary/LocalTime.h"
#include "diary/Windows1252.h"

// "N days, from DATE to DATE (M estimated)"
std::string HistorySummary(const lived::LivedDays& days) {
    if (days.empty()) return "no days";
    std::size_t estimated = 0;
    for (const lived::LivedDay& day : days) estimated += day.estimated ? 1 : 0;
    return std::to_string(days.size()) + (days.size() == 1 ? " day" : " days") + ", from " +
           lived::DateText(days.front().date) + " to " + lived::DateText(days.back().date) + " (" +
           std::to_string(estimated) + " estimated)";
}

void WriteDiaryInfo(const CGastrologDoc& doc, std::ostream& out) {
    TextTable summary;
    summary.AddRow({"Days recorded:", std::to_string(doc.DayCount())});
    // The moment by the clock; the diary day it began can be the date before (new-day hour).
    summary.AddRow({"Last update:", calendar::Format(doc.GetLastUpdateMoment(),
                                                     std::string(calendar::DateFormat) + " %H:%M") +
                                        " local time"});
    summary.AddRow({"Diary day:", calendar::Format(doc.LastUpdate(), calendar::DateFormat)});
    summary.AddRow({"Foods:", std::to_string(doc.Foods().size())});
    summary.AddRow({"Symptoms:", std::to_string(doc.Symptoms().size())});
    summary.AddRow({"History:", HistorySummary(lived::EveryLivedDay(doc))});
    summary.Write(out);
    if (doc.Symptoms().empty()) return;

    out << "\nSymptoms - today's current status:\n";
    TextTable status;
    for (const CSymptom& symptom : doc.Symptoms())
        status.AddRow(
            {Windows1252ToUtf8(symptom.m_name), diary::LatestRatingWord(symptom.m_history)});
    status.Write(out, "  ");
}
