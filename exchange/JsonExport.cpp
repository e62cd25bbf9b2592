#include "exchange/JsonExport.h"

#include <string>
#include <string_view>

#include "diary/GastrologDoc.h"
#include "diary/LivedDays.h"
#include "diary/StoredDiary.h"
#include "diary/Windows1252.h"
#include "exchange/HistoryJson.h"

namespace {

Json Floats(const UnitWeights& values) {
    Json array = Json::array();
    for (const float value : values) array.push_back(float_json::FromFloat(value));
    return array;
}

Json Texts(const StringList& list) {
    Json array = Json::array();
    for (const std::string& text : list) array.push_back(Windows1252ToUtf8(text));
    return array;
}

// Writes each stored member or field under its name, in the encoding JSON export uses.
class JsonWriter {
public:
    explicit JsonWriter(Json& object) : m_object(object) {}

    void operator()(std::string_view name, const float& value) {
        m_object[std::string(name)] = float_json::FromFloat(value);
    }
    void operator()(std::string_view name, const std::string& text) {
        m_object[std::string(name)] = Windows1252ToUtf8(text);
    }
    // The file interleaves a unit's weight, gradient and step; JSON keeps three arrays.
    void operator()(std::string_view name, WeightColumns<const UnitWeights> columns) {
        m_object[std::string(name)] = Floats(columns.weight);
        m_object[std::string(name) + std::string(GradientKeySuffix)] = Floats(columns.gradient);
        m_object[std::string(name) + std::string(StepKeySuffix)] = Floats(columns.step);
    }
    void operator()(std::string_view name, const TimeValue& time) {
        m_object[std::string(name)] = time;
    }
    void operator()(std::string_view name, const std::int32_t& number) {
        m_object[std::string(name)] = number;
    }
    void operator()(std::string_view name, const StringList& list) {
        m_object[std::string(name)] = Texts(list);
    }
    template <class Record>
    void operator()(std::string_view name, const std::vector<Record>& records) {
        Json array = Json::array();
        for (const Record& record : records) {
            Json object;
            Record::ForEachStoredField(record, JsonWriter(object));
            array.push_back(std::move(object));
        }
        m_object[std::string(name)] = std::move(array);
    }

private:
    Json& m_object;
};

}  // namespace

Json DiaryToJson(const CGastrologDoc& doc) {
    Json diary;
    const StoredDiaryView members = doc.StoredMembers();
    ForEachStoredMember(members, JsonWriter(diary));
    diary[HistoryMember] = LivedDaysToJson(lived::EveryLivedDay(doc));
    return diary;
}
