#include "exchange/CsvExport.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include "diary/GastrologDoc.h"
#include "diary/LivedDays.h"
#include "diary/Windows1252.h"

namespace {

constexpr const char* LineEnd = "\r\n";

void WriteRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0) out << ',';
        out << CsvField(fields[index]);
    }
    out << LineEnd;
}

void AddName(std::vector<std::string>& names, const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// The diary's symptoms and foods in its order, then those only its history remembers.
struct Columns {
    std::vector<std::string> symptoms;
    std::vector<std::string> foods;
};

Columns ColumnsOf(const CGastrologDoc& doc, const lived::LivedDays& days) {
    Columns columns;
    for (const CSymptom& symptom : doc.Symptoms()) AddName(columns.symptoms, symptom.m_name);
    for (const CFood& food : doc.Foods()) AddName(columns.foods, food.m_name);
    for (const lived::LivedDay& day : days) {
        for (const auto& rating : day.ratings) AddName(columns.symptoms, rating.first);
        for (const std::string& food : day.eaten) AddName(columns.foods, food);
    }
    return columns;
}

std::vector<std::string> HeaderRow(const Columns& columns) {
    std::vector<std::string> fields{"Date"};
    for (const std::string& symptom : columns.symptoms)
        fields.push_back(Windows1252ToUtf8(symptom));
    for (const std::string& food : columns.foods) fields.push_back(Windows1252ToUtf8(food));
    return fields;
}

// A symptom that did not exist that day has an empty cell; a food not eaten has 0.
std::vector<std::string> DayRow(const Columns& columns, const lived::LivedDay& day) {
    std::vector<std::string> fields{lived::DateText(day.date)};
    for (const std::string& symptom : columns.symptoms) {
        const auto rated =
            std::find_if(day.ratings.begin(), day.ratings.end(),
                         [&](const auto& rating) { return rating.first == symptom; });
        fields.push_back(rated == day.ratings.end() ? "" : diary::RatingWord(rated->second));
    }
    for (const std::string& food : columns.foods)
        fields.push_back(
            std::find(day.eaten.begin(), day.eaten.end(), food) != day.eaten.end() ? "1" : "0");
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
    const lived::LivedDays days = lived::EveryLivedDay(doc);
    const Columns columns = ColumnsOf(doc, days);
    WriteRow(out, HeaderRow(columns));
    for (const lived::LivedDay& day : days) WriteRow(out, DayRow(columns, day));
}
