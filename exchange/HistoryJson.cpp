#include "exchange/HistoryJson.h"

#include <optional>
#include <utility>

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

Result Refused(std::string what) {
    return {Result::Code::Invalid, std::move(what)};
}

// The refusal's message names the member of the day and what is wrong with it.
Result ReadDay(const Json& value, lived::LivedDay& day) {
    if (!value.is_object()) return Refused("must be an object");
    for (const auto& [key, member] : value.items())
        if (key != "date" && key != "estimated" && key != "eaten" && key != "ratings")
            return Refused(key + ": is not a member of a day");
    if (!value.contains("date") || !value["date"].is_string() ||
        !lived::ParseDate(value["date"].get_ref<const std::string&>(), day.date))
        return Refused("date: must be a date written YYYY-MM-DD");
    if (value.contains("estimated")) {
        if (!value["estimated"].is_boolean()) return Refused("estimated: must be true or false");
        day.estimated = value["estimated"].get<bool>();
    }
    if (value.contains("eaten")) {
        const Json& eaten = value["eaten"];
        if (!eaten.is_array() || eaten.size() > MostNamesADay)
            return Refused("eaten: must be a list of food names");
        for (const Json& name : eaten) {
            const auto food = DiaryName(name);
            if (!food) return Refused("eaten: holds a name no diary can hold");
            day.eaten.push_back(*food);
        }
    }
    if (value.contains("ratings")) {
        const Json& ratings = value["ratings"];
        if (!ratings.is_object() || ratings.size() > MostNamesADay)
            return Refused("ratings: must map symptom names to \"b\", \"w\" or \"n\"");
        for (const auto& [key, rating] : ratings.items()) {
            const auto symptom = DiaryName(Json(key));
            const bool known =
                rating.is_string() && (rating == "b" || rating == "w" || rating == "n");
            if (!symptom || !known)
                return Refused("ratings: must map symptom names to \"b\", \"w\" or \"n\"");
            day.ratings.emplace_back(*symptom, rating.get_ref<const std::string&>()[0]);
        }
    }
    return Result::Success();
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

Result LivedDaysFromJson(const Json& json, lived::LivedDays& days) {
    if (!json.is_array() || json.size() > MostDays)
        return Refused(std::string(HistoryMember) + ": must be a list of days");
    lived::LivedDays read;
    for (std::size_t index = 0; index < json.size(); ++index) {
        lived::LivedDay day;
        if (const Result refusal = ReadDay(json[index], day); !refusal.IsOk())
            return Refused(std::string(HistoryMember) + "[" + std::to_string(index) + "]." +
                           refusal.Message());
        read.push_back(std::move(day));
    }
    days = lived::Merge(std::move(read), {});
    return Result::Success();
}
