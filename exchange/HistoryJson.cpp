#include "exchange/HistoryJson.h"

#include "diary/DiaryConstants.h"
#include "diary/Windows1252.h"

namespace {

// Far beyond a lifetime of days or a day's foods; keeps a hostile input's size in check.
constexpr std::size_t MostDays = 40000;
constexpr std::size_t MostNamesADay = 5000;

std::optional<std::string> DiaryName(const Json& value) {
    if (!value.is_string()) return std::nullopt;
    const std::string& text = value.get_ref<const std::string&>();
    if (text.empty()) return std::nullopt;
    return Utf8ToWindows1252(text);
}

bool ReadDay(const Json& value, lived::LivedDay& day, std::string& problem) {
    if (!value.is_object()) return problem = "must be an object", false;
    for (const auto& [key, member] : value.items())
        if (key != "date" && key != "estimated" && key != "eaten" && key != "ratings")
            return problem = key + ": is not a member of a day", false;
    if (!value.contains("date") || !value["date"].is_string() ||
        !lived::ParseDate(value["date"].get_ref<const std::string&>(), day.date))
        return problem = "date: must be a date written YYYY-MM-DD", false;
    if (value.contains("estimated")) {
        if (!value["estimated"].is_boolean())
            return problem = "estimated: must be true or false", false;
        day.estimated = value["estimated"].get<bool>();
    }
    if (value.contains("eaten")) {
        const Json& eaten = value["eaten"];
        if (!eaten.is_array() || eaten.size() > MostNamesADay)
            return problem = "eaten: must be a list of food names", false;
        for (const Json& name : eaten) {
            const auto food = DiaryName(name);
            if (!food) return problem = "eaten: holds a name no diary can hold", false;
            day.eaten.push_back(*food);
        }
    }
    if (value.contains("ratings")) {
        const Json& ratings = value["ratings"];
        if (!ratings.is_object() || ratings.size() > MostNamesADay)
            return problem = "ratings: must map symptom names to \"b\", \"w\" or \"n\"", false;
        for (const auto& [key, rating] : ratings.items()) {
            const auto symptom = DiaryName(Json(key));
            const bool known =
                rating.is_string() && (rating == "b" || rating == "w" || rating == "n");
            if (!symptom || !known)
                return problem = "ratings: must map symptom names to \"b\", \"w\" or \"n\"", false;
            day.ratings.emplace_back(*symptom, rating.get_ref<const std::string&>()[0]);
        }
    }
    return true;
}

}  // namespace

Json LivedDaysToJson(const lived::LivedDays& days) {
    Json list = Json::array();
    for (const lived::LivedDay& day : days) {
        Json eaten = Json::array();
        for (const std::string& food : day.eaten) eaten.push_back(Windows1252ToUtf8(food));
        Json ratings = Json::object();
        for (const auto& [symptom, code] : day.ratings) {
            const char stored =
                code == diary::Better || code == diary::Worse ? code : diary::NoChange;
            ratings[Windows1252ToUtf8(symptom)] = std::string(1, stored);
        }
        Json entry = Json::object();
        entry["date"] = lived::DateText(day.date);
        entry["estimated"] = day.estimated;
        entry["eaten"] = std::move(eaten);
        entry["ratings"] = std::move(ratings);
        list.push_back(std::move(entry));
    }
    return list;
}

std::optional<lived::LivedDays> LivedDaysFromJson(const Json& json, std::string& problem) {
    if (!json.is_array() || json.size() > MostDays) {
        problem = std::string(HistoryMember) + ": must be a list of days";
        return std::nullopt;
    }
    lived::LivedDays days;
    for (std::size_t index = 0; index < json.size(); ++index) {
        lived::LivedDay day;
        std::string what;
        if (!ReadDay(json[index], day, what)) {
            problem = std::string(HistoryMember) + "[" + std::to_string(index) + "]." + what;
            return std::nullopt;
        }
        days.push_back(std::move(day));
    }
    return lived::Merge(std::move(days), {});
}
