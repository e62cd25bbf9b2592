#pragma once
// Diary bytes composed by hand from the file format's rules, independently of CArchive, so
// that the tests compare the archive against the format and not against itself.

#include <bit>
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diary/Food.h"
#include "diary/Hidden.h"
#include "diary/Symptom.h"

using Bytes = std::vector<std::uint8_t>;

class ByteBuilder {
public:
    ByteBuilder& U8(std::uint8_t value) {
        bytes.push_back(value);
        return *this;
    }
    ByteBuilder& U16(std::uint16_t value) {
        return U8(static_cast<std::uint8_t>(value)).U8(static_cast<std::uint8_t>(value >> 8));
    }
    ByteBuilder& U32(std::uint32_t value) {
        return U16(static_cast<std::uint16_t>(value)).U16(static_cast<std::uint16_t>(value >> 16));
    }
    ByteBuilder& F32(float value) { return U32(std::bit_cast<std::uint32_t>(value)); }
    ByteBuilder& Raw(std::string_view text) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    // A text with the one-byte length prefix.
    ByteBuilder& Text(std::string_view text) {
        assert(text.size() < 255);
        return U8(static_cast<std::uint8_t>(text.size())).Raw(text);
    }
    ByteBuilder& Append(const ByteBuilder& other) {
        bytes.insert(bytes.end(), other.bytes.begin(), other.bytes.end());
        return *this;
    }
    // The 0xFFFF tag that introduces a class.
    ByteBuilder& NewClass(std::string_view name, std::uint16_t schema = 1) {
        return U16(0xFFFF).U16(schema).U16(static_cast<std::uint16_t>(name.size())).Raw(name);
    }

    Bytes bytes;
};

// ---- record fields in the orders of the file format

inline ByteBuilder FoodFields(const CFood& food) {
    ByteBuilder out;
    out.F32(food.m_input);
    for (int unit = 0; unit < 5; ++unit)
        out.F32(food.m_weight[unit]).F32(food.m_weightGrad[unit]).F32(food.m_weightStep[unit]);
    return out.Text(food.m_history).Text(food.m_name);
}

inline ByteBuilder SymptomFields(const CSymptom& symptom) {
    ByteBuilder out;
    out.F32(symptom.m_spare).F32(symptom.m_delta).F32(symptom.m_bias).F32(symptom.m_biasGrad);
    out.F32(symptom.m_biasStep).F32(symptom.m_error).F32(symptom.m_net).F32(symptom.m_output);
    for (int unit = 0; unit < 5; ++unit)
        out.F32(symptom.m_weight[unit])
            .F32(symptom.m_weightGrad[unit])
            .F32(symptom.m_weightStep[unit]);
    return out.Text(symptom.m_history).Text(symptom.m_name);
}

inline ByteBuilder HiddenFields(const CHidden& unit) {
    ByteBuilder out;
    out.F32(unit.m_net).F32(unit.m_output).F32(unit.m_error).F32(unit.m_delta);
    out.F32(unit.m_bias).F32(unit.m_biasGrad).F32(unit.m_biasStep);
    return out.Text(unit.m_name);
}

// ---- a whole diary in its seven parts, so that a test can spoil one of them

struct DiaryParts {
    ByteBuilder head;  // time and day count
    ByteBuilder foodNames;
    ByteBuilder foods;
    ByteBuilder symptomLines;
    ByteBuilder symptoms;
    ByteBuilder hidden;

    Bytes Join() const {
        ByteBuilder all;
        all.Append(head).Append(foodNames).Append(foods).Append(symptomLines);
        return all.Append(symptoms).Append(hidden).bytes;
    }
};

// The five hidden units, their class numbered `classNumber`.
inline ByteBuilder HiddenList(std::uint16_t classNumber, int units = 5) {
    ByteBuilder out;
    out.U16(static_cast<std::uint16_t>(units));
    for (int unit = 0; unit < units; ++unit) {
        if (unit == 0)
            out.NewClass("CHidden");
        else
            out.U16(static_cast<std::uint16_t>(0x8000 | classNumber));
        out.Append(HiddenFields(CHidden(std::to_string(unit))));
    }
    return out;
}

// One food "Tea" (class 1, object 2), one symptom "Headache" (class 3, object 4) and the
// hidden units (class 5, objects 6 to 10): the diary of the format's worked example.
inline DiaryParts TeaAndHeadache(std::uint32_t lastUpdate = 1'100'000'000) {
    DiaryParts parts;
    parts.head.U32(lastUpdate).U32(1);
    parts.foodNames.U16(1).Text("Tea");
    parts.foods.U16(1).NewClass("CFood").Append(FoodFields(CFood("Tea")));
    parts.symptomLines.U16(1).Text("Headache  (no change)");
    parts.symptoms.U16(1).NewClass("CSymptom").Append(SymptomFields(CSymptom("Headache")));
    parts.hidden = HiddenList(5);
    return parts;
}
