#include "exchange/JsonImport.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "diary/GastrologDoc.h"
#include "diary/NameRules.h"
#include "diary/StoredDiary.h"
#include "diary/StoredRules.h"
#include "diary/Windows1252.h"
#include "exchange/HistoryJson.h"

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
                        const std::vector<std::string>& keys,
                        const std::vector<std::string>& optionalKeys = {}) {
    const std::string where = path.empty() ? "the diary" : path;
    if (!value.is_object()) throw Refusal(where, "must be an object");
    for (const std::string& key : keys)
        if (!value.contains(key)) throw Refusal(Member(path, key), "is missing");
    for (const auto& [key, member] : value.items())
        if (std::find(keys.begin(), keys.end(), key) == keys.end() &&
            std::find(optionalKeys.begin(), optionalKeys.end(), key) == optionalKeys.end())
            throw Refusal(Member(path, key), "is not a member of a diary");
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

// A food or symptom name: what the dialogs would refuse, the import refuses too, as the file
// reader does.
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
    if (!stored_rules::IsSoundHistory(history))
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

void CheckCount(std::size_t count, const std::string& path, std::size_t lowest, std::size_t highest,
                const std::string& what) {
    if (count >= lowest && count <= highest) return;
    const std::string expected = lowest == highest ? "exactly " + std::to_string(lowest)
                                                   : "at most " + std::to_string(highest);
    throw Refusal(path, "must hold " + expected + " " + what + ", found " + std::to_string(count));
}

// How many records a list may hold; the symptom limit is the dialogs', the five units the
// network's.
void CheckRecordCount(const std::vector<CFood>&, const Json&, const std::string&) {}
void CheckRecordCount(const std::vector<CSymptom>&, const Json& array, const std::string& path) {
    CheckCount(array.size(), path, 0, diary::MaximumSymptoms, "symptoms");
}
void CheckRecordCount(const std::vector<CHidden>&, const Json& array, const std::string& path) {
    CheckCount(array.size(), path, diary::HiddenUnitCount, diary::HiddenUnitCount, "hidden units");
}

// The JSON keys of the stored members or of a record's fields, in the file's order, as
// JsonExport writes them.
class KeyCollector {
public:
    explicit KeyCollector(std::vector<std::string>& keys) : m_keys(keys) {}

    template <class Field>
    void operator()(std::string_view name, const Field&) {
        m_keys.emplace_back(name);
    }
    void operator()(std::string_view name, WeightColumns<const UnitWeights>) {
        m_keys.emplace_back(name);
        m_keys.push_back(std::string(name) + std::string(GradientKeySuffix));
        m_keys.push_back(std::string(name) + std::string(StepKeySuffix));
    }

private:
    std::vector<std::string>& m_keys;
};

template <class Record>
const std::vector<std::string>& StoredKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> collected;
        const Record record;
        Record::ForEachStoredField(record, KeyCollector(collected));
        return collected;
    }();
    return keys;
}

// Reads each stored member or field from under its name, refusing with the field's path what
// the diary file cannot hold. The counterpart of JsonExport's writer.
class JsonReader {
public:
    JsonReader(const Json& object, std::string path, std::optional<name_rules::Kind> nameKind)
        : m_object(object), m_path(std::move(path)), m_nameKind(nameKind) {}

    void operator()(std::string_view name, float& value) {
        value = Float(Field(name), PathOf(name));
    }
    void operator()(std::string_view name, std::string& text) {
        if (name == "history")
            text = History(Field(name), PathOf(name));
        else if (name == "name" && m_nameKind)
            text = Name(Field(name), PathOf(name), *m_nameKind);
        else
            text = Text(Field(name), PathOf(name));
    }
    // The file interleaves a unit's weight, gradient and step; JSON keeps three arrays.
    void operator()(std::string_view name, WeightColumns<UnitWeights> columns) {
        const std::string key(name);
        columns.weight = Floats(Field(key), PathOf(key));
        const std::string gradientKey = key + std::string(GradientKeySuffix);
        const std::string stepKey = key + std::string(StepKeySuffix);
        columns.gradient = Floats(Field(gradientKey), PathOf(gradientKey));
        columns.step = Floats(Field(stepKey), PathOf(stepKey));
    }
    void operator()(std::string_view name, TimeValue& time) {
        time = WholeNumber(Field(name), PathOf(name), 0, std::numeric_limits<std::uint32_t>::max());
    }
    void operator()(std::string_view name, std::int32_t& number) {
        number = static_cast<std::int32_t>(WholeNumber(Field(name), PathOf(name),
                                                       std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max()));
    }
    void operator()(std::string_view name, StringList& list) {
        list = Texts(Field(name), PathOf(name));
    }
    template <class Record>
    void operator()(std::string_view name, std::vector<Record>& records) {
        const std::string path = PathOf(name);
        const Json& array = Array(Field(name), path);
        CheckRecordCount(records, array, path);
        for (std::size_t index = 0; index < array.size(); ++index) {
            const std::string where = Element(path, index);
            ExactObject(array[index], where, StoredKeys<Record>());
            Record& record = records.emplace_back();
            Record::ForEachStoredField(
                record, JsonReader(array[index], where, stored_rules::NameKindOf(record)));
        }
        // The reader's own verdict on the list, so that nothing it refuses is ever written.
        if (const char* problem = stored_rules::ListProblem(records)) throw Refusal(path, problem);
    }

private:
    const Json& Field(std::string_view name) const { return m_object.at(std::string(name)); }
    std::string PathOf(std::string_view name) const { return Member(m_path, std::string(name)); }

    const Json& m_object;
    std::string m_path;
    std::optional<name_rules::Kind> m_nameKind;
};

const std::vector<std::string>& StoredMemberKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> collected;
        const StoredDiary diary;
        ForEachStoredMember(diary, KeyCollector(collected));
        return collected;
    }();
    return keys;
}

// The reader refuses a file larger than it reads; a diary that large is refused here already.
Result CheckSize(StoredDiary& diary) {
    const std::optional<std::size_t> size = StoredFileSize(diary);
    if (!size) return {Result::Code::TooLarge, "the diary is too large for the file format"};
    if (*size <= MaximumDiaryFileSize) return Result::Success();
    return {Result::Code::TooLarge, "the diary would take " + std::to_string(*size) +
                                        " bytes, more than the " + MaximumDiaryFileSizeText() +
                                        " a diary file may hold"};
}

}  // namespace

Result DiaryFromJson(const Json& json, CGastrologDoc& doc) {
    try {
        ExactObject(json, "", StoredMemberKeys(), {HistoryMember});
        StoredDiary diary;
        ForEachStoredMember(diary, JsonReader(json, "", std::nullopt));
        if (Result size = CheckSize(diary); !size.IsOk()) return size;
        std::optional<lived::LivedDays> days;
        if (json.contains(HistoryMember)) {
            days.emplace();
            if (Result history = LivedDaysFromJson(json[HistoryMember], *days); !history.IsOk())
                return history;
        }
        doc.ReplaceStoredDiary(std::move(diary));
        if (days) doc.AdoptHistory(std::move(*days));
        return Result::Success();
    } catch (const Refusal& refusal) {
        return {Result::Code::Invalid, refusal.what()};
    }
}
