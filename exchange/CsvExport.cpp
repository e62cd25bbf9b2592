#include "exchange/CsvExport.h"

#include <ostream>
#include <vector>

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "diary/Windows1252.h"

namespace {

constexpr const char* LineEnd = "\r\n";

// The history character of a slot, or null for a history too short to reach it.
const char* CodeAt(const std::string& history, std::size_t slot) {
    return slot < history.size() ? &history[slot] : nullptr;
}

void WriteRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0) out << ',';
        out << CsvField(fields[index]);
    }
    out << LineEnd;
}

std::vector<std::string> HeaderRow(const CGastrologDoc& doc) {
    std::vector<std::string> fields{"Date"};
    for (const CSymptom& symptom : doc.Symptoms())
        fields.push_back(Windows1252ToUtf8(symptom.m_name));
    for (const CFood& food : doc.Foods()) fields.push_back(Windows1252ToUtf8(food.m_name));
    return fields;
}

std::vector<std::string> SlotRow(const CGastrologDoc& doc, std::size_t slot) {
    const int daysBefore = static_cast<int>(diary::HistoryLength - 1 - slot);
    // Counted on the calendar, so a change to or from summer time cannot skip or repeat a date.
    const TimeValue day = calendar::DaysEarlier(doc.LastUpdate(), daysBefore);
    std::vector<std::string> fields{calendar::Format(day, "%Y-%m-%d")};
    for (const CSymptom& symptom : doc.Symptoms()) {
        const char* code = CodeAt(symptom.m_history, slot);
        fields.push_back(code ? diary::RatingWord(*code) : "");
    }
    for (const CFood& food : doc.Foods()) {
        const char* code = CodeAt(food.m_history, slot);
        fields.push_back(code ? (diary::IsEaten(*code) ? "1" : "0") : "");
    }
    return fields;
}

}  // namespace

std::string CsvField(const std::string& text) {
    std::string field = text;
    if (!field.empty() && (field[0] == '=' || field[0] == '+' || field[0] == '-' ||
                           field[0] == '@' || field[0] == '\t' || field[0] == '\r'))
        field.insert(field.begin(), '\'');
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void WriteDiaryCsv(const CGastrologDoc& doc, std::ostream& out) {
    WriteRow(out, HeaderRow(doc));
    for (std::size_t slot = 0; slot < diary::HistoryLength; ++slot)
        WriteRow(out, SlotRow(doc, slot));
}
