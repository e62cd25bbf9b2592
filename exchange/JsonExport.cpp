#include "exchange/JsonExport.h"

#include "diary/GastrologDoc.h"
#include "diary/Windows1252.h"

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

Json FoodToJson(const CFood& food) {
    Json object;
    object["input"] = float_json::FromFloat(food.m_input);
    object["weight"] = Floats(food.m_weight);
    object["weightGrad"] = Floats(food.m_weightGrad);
    object["weightStep"] = Floats(food.m_weightStep);
    object["history"] = Windows1252ToUtf8(food.m_history);
    object["name"] = Windows1252ToUtf8(food.m_name);
    return object;
}

Json SymptomToJson(const CSymptom& symptom) {
    Json object;
    object["spare"] = float_json::FromFloat(symptom.m_spare);
    object["delta"] = float_json::FromFloat(symptom.m_delta);
    object["bias"] = float_json::FromFloat(symptom.m_bias);
    object["biasGrad"] = float_json::FromFloat(symptom.m_biasGrad);
    object["biasStep"] = float_json::FromFloat(symptom.m_biasStep);
    object["error"] = float_json::FromFloat(symptom.m_error);
    object["net"] = float_json::FromFloat(symptom.m_net);
    object["output"] = float_json::FromFloat(symptom.m_output);
    object["weight"] = Floats(symptom.m_weight);
    object["weightGrad"] = Floats(symptom.m_weightGrad);
    object["weightStep"] = Floats(symptom.m_weightStep);
    object["history"] = Windows1252ToUtf8(symptom.m_history);
    object["name"] = Windows1252ToUtf8(symptom.m_name);
    return object;
}

Json HiddenToJson(const CHidden& unit) {
    Json object;
    object["net"] = float_json::FromFloat(unit.m_net);
    object["output"] = float_json::FromFloat(unit.m_output);
    object["error"] = float_json::FromFloat(unit.m_error);
    object["delta"] = float_json::FromFloat(unit.m_delta);
    object["bias"] = float_json::FromFloat(unit.m_bias);
    object["biasGrad"] = float_json::FromFloat(unit.m_biasGrad);
    object["biasStep"] = float_json::FromFloat(unit.m_biasStep);
    object["name"] = Windows1252ToUtf8(unit.m_name);
    return object;
}

template <class Record, class Convert>
Json Records(const std::vector<Record>& records, Convert convert) {
    Json array = Json::array();
    for (const Record& record : records) array.push_back(convert(record));
    return array;
}

}  // namespace

Json DiaryToJson(const CGastrologDoc& doc) {
    Json diary;
    diary["lastUpdate"] = doc.LastUpdate();
    diary["dayCount"] = doc.DayCount();
    diary["foodNames"] = Texts(doc.FoodNames());
    diary["foods"] = Records(doc.Foods(), FoodToJson);
    diary["symptomLines"] = Texts(doc.SymptomLines());
    diary["symptoms"] = Records(doc.Symptoms(), SymptomToJson);
    diary["hidden"] = Records(doc.HiddenUnits(), HiddenToJson);
    return diary;
}
