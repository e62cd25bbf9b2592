#include "exchange/JsonImport.h"

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <stdexcept>
#include <utility>

#include "diary/GastrologDoc.h"
#include "diary/NameRules.h"
#include "diary/Windows1252.h"

namespace {

// Thrown with the field's path and what is wrong with it; caught once, at the top.
class Refusal : public std::runtime_error {
public:
    Refusal(const std::string& field, const std::string& reason)
        : std::runtime_error(field + ": " + reason) {}
};

std::string Member(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

std::string Element(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

// The object at `path`, which must hold exactly the given keys.
const Json& ExactObject(const Json& value, const std::string& path,
                        std::initializer_list<const char*> keys) {
    const std::string where = path.empty() ? "the diary" : path;
    if (!value.is_object()) throw Refusal(where, "must be an object");
    for (const char* key : keys)
        if (!value.contains(key)) throw Refusal(Member(path, key), "is missing");
    for (const auto& [key, member] : value.items()) {
        bool known = false;
        for (const char* expected : keys) known = known || key == expected;
        if (!known) throw Refusal(Member(path, key), "is not a member of a diary");
    }
    return value;
}

const Json& Array(const Json& value, const std::string& path) {
    if (!value.is_array()) throw Refusal(path, "must be an array");
    return value;
}

std::int64_t WholeNumber(const Json& value, const std::string& path, std::int64_t lowest,
                         std::int64_t highest) {
    const std::string range =
        "must be a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest);
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(highest)) throw Refusal(path, range);
        return static_cast<std::int64_t>(number);
    }
    if (!value.is_number_integer()) throw Refusal(path, range);
    const auto number = value.get<std::int64_t>();
    if (number < lowest || number > highest) throw Refusal(path, range);
    return number;
}

float Float(const Json& value, const std::string& path) {
    const auto number = float_json::ToFloat(value);
    if (!number)
        throw Refusal(path,
                      "must be a number that fits a 32-bit float, or its bit pattern as "
                      "\"0x\" and 8 hexadecimal digits");
    return *number;
}

UnitWeights Floats(const Json& value, const std::string& path) {
    const Json& array = Array(value, path);
    if (array.size() != diary::HiddenUnitCount)
        throw Refusal(path, "must hold " + std::to_string(diary::HiddenUnitCount) +
                                " numbers, found " + std::to_string(array.size()));
    UnitWeights weights{};
    for (std::size_t k = 0; k < weights.size(); ++k) weights[k] = Float(array[k], Element(path, k));
    return weights;
}

// Text in the diary's code page.
std::string Text(const Json& value, const std::string& path) {
    if (!value.is_string()) throw Refusal(path, "must be a string");
    const auto& utf8 = value.get_ref<const std::string&>();
    auto bytes = Utf8ToWindows1252(utf8);
    if (!bytes)
        throw Refusal(path, "\"" + utf8 +
                                "\" holds a character the diary cannot store (it keeps names "
                                "in the Windows-1252 character set)");
    return std::move(*bytes);
}

// A food or symptom name: what the dialogs would refuse, the import refuses too, since the
// commit of the dialogs' lists would misread it (">Coffee" reads as "delete Coffee").
std::string Name(const Json& value, const std::string& path, name_rules::Kind kind) {
    std::string name = Text(value, path);
    const name_rules::Problem problem = name_rules::CheckStored(name, kind);
    if (problem != name_rules::Problem::None)
        throw Refusal(
            path, "\"" + Windows1252ToUtf8(name) + "\" is refused: " +
                      name_rules::Message({.name = {}, .problem = problem, .offending = {}}, kind));
    return name;
}

std::string History(const Json& value, const std::string& path) {
    std::string history = Text(value, path);
    if (history.size() != diary::HistoryLength)
        throw Refusal(path, "must be " + std::to_string(diary::HistoryLength) +
                                " characters long, found " + std::to_string(history.size()));
    return history;
}

StringList Texts(const Json& value, const std::string& path) {
    StringList list;
    const Json& array = Array(value, path);
    for (std::size_t index = 0; index < array.size(); ++index)
        list.push_back(Text(array[index], Element(path, index)));
    return list;
}

CFood FoodFromJson(const Json& value, const std::string& path) {
    ExactObject(value, path, {"input", "weight", "weightGrad", "weightStep", "history", "name"});
    CFood food;
    food.m_input = Float(value["input"], Member(path, "input"));
    food.m_weight = Floats(value["weight"], Member(path, "weight"));
    food.m_weightGrad = Floats(value["weightGrad"], Member(path, "weightGrad"));
    food.m_weightStep = Floats(value["weightStep"], Member(path, "weightStep"));
    food.m_history = History(value["history"], Member(path, "history"));
    food.m_name = Name(value["name"], Member(path, "name"), name_rules::Kind::Food);
    return food;
}

CSymptom SymptomFromJson(const Json& value, const std::string& path) {
    ExactObject(value, path,
                {"spare", "delta", "bias", "biasGrad", "biasStep", "error", "net", "output",
                 "weight", "weightGrad", "weightStep", "history", "name"});
    CSymptom symptom;
    const auto member = [&](const char* key) { return Member(path, key); };
    symptom.m_spare = Float(value["spare"], member("spare"));
    symptom.m_delta = Float(value["delta"], member("delta"));
    symptom.m_bias = Float(value["bias"], member("bias"));
    symptom.m_biasGrad = Float(value["biasGrad"], member("biasGrad"));
    symptom.m_biasStep = Float(value["biasStep"], member("biasStep"));
    symptom.m_error = Float(value["error"], member("error"));
    symptom.m_net = Float(value["net"], member("net"));
    symptom.m_output = Float(value["output"], member("output"));
    symptom.m_weight = Floats(value["weight"], member("weight"));
    symptom.m_weightGrad = Floats(value["weightGrad"], member("weightGrad"));
    symptom.m_weightStep = Floats(value["weightStep"], member("weightStep"));
    symptom.m_history = History(value["history"], member("history"));
    symptom.m_name = Name(value["name"], member("name"), name_rules::Kind::Symptom);
    return symptom;
}

CHidden HiddenFromJson(const Json& value, const std::string& path) {
    ExactObject(value, path,
                {"net", "output", "error", "delta", "bias", "biasGrad", "biasStep", "name"});
    CHidden unit;
    const auto member = [&](const char* key) { return Member(path, key); };
    unit.m_net = Float(value["net"], member("net"));
    unit.m_output = Float(value["output"], member("output"));
    unit.m_error = Float(value["error"], member("error"));
    unit.m_delta = Float(value["delta"], member("delta"));
    unit.m_bias = Float(value["bias"], member("bias"));
    unit.m_biasGrad = Float(value["biasGrad"], member("biasGrad"));
    unit.m_biasStep = Float(value["biasStep"], member("biasStep"));
    unit.m_name = Text(value["name"], member("name"));
    return unit;
}

template <class Record, class Convert>
std::vector<Record> Records(const Json& value, const std::string& path, Convert convert) {
    std::vector<Record> records;
    const Json& array = Array(value, path);
    for (std::size_t index = 0; index < array.size(); ++index)
        records.push_back(convert(array[index], Element(path, index)));
    return records;
}

void CheckCount(std::size_t count, const std::string& path, std::size_t lowest, std::size_t highest,
                const std::string& what) {
    if (count >= lowest && count <= highest) return;
    const std::string expected = lowest == highest ? "exactly " + std::to_string(lowest)
                                                   : "at most " + std::to_string(highest);
    throw Refusal(path, "must hold " + expected + " " + what + ", found " + std::to_string(count));
}

}  // namespace

std::optional<std::string> DiaryFromJson(const Json& json, CGastrologDoc& doc) {
    try {
        ExactObject(
            json, "",
            {"lastUpdate", "dayCount", "foodNames", "foods", "symptomLines", "symptoms", "hidden"});
        const TimeValue lastUpdate = WholeNumber(json["lastUpdate"], "lastUpdate", 0,
                                                 std::numeric_limits<std::uint32_t>::max());
        const auto dayCount = static_cast<std::int32_t>(
            WholeNumber(json["dayCount"], "dayCount", std::numeric_limits<std::int32_t>::min(),
                        std::numeric_limits<std::int32_t>::max()));
        StringList foodNames = Texts(json["foodNames"], "foodNames");
        auto foods = Records<CFood>(json["foods"], "foods", FoodFromJson);
        StringList symptomLines = Texts(json["symptomLines"], "symptomLines");
        CheckCount(Array(json["symptoms"], "symptoms").size(), "symptoms", 0,
                   diary::MaximumSymptoms, "symptoms");
        auto symptoms = Records<CSymptom>(json["symptoms"], "symptoms", SymptomFromJson);
        CheckCount(Array(json["hidden"], "hidden").size(), "hidden", diary::HiddenUnitCount,
                   diary::HiddenUnitCount, "hidden units");
        auto hidden = Records<CHidden>(json["hidden"], "hidden", HiddenFromJson);

        doc.ReplaceStoredDiary({lastUpdate, dayCount, std::move(foodNames), std::move(foods),
                                std::move(symptomLines), std::move(symptoms), std::move(hidden)});
        return std::nullopt;
    } catch (const Refusal& refusal) {
        return refusal.what();
    }
}
