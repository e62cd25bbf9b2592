// Reads arbitrary bytes as a diary. Whatever is accepted must store again, read back and store
// to the very same bytes; whatever is refused must leave the document empty.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "diary/GastrologDoc.h"

namespace {

bool IsCleared(const CGastrologDoc& doc) {
    return doc.m_foods.empty() && doc.m_symptoms.empty() && doc.m_hidden.empty() &&
           doc.m_foodNames.empty() && doc.m_symptomLines.empty() && doc.m_dayList.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CGastrologDoc doc;
    doc.m_foods.emplace_back("left over");  // must not survive a refusal
    doc.m_exclusions.emplace_back("left over");
    if (!doc.ReadBytes(std::span<const std::uint8_t>(data, size)).Succeeded()) {
        if (!IsCleared(doc) || !doc.m_exclusions.empty()) std::abort();
        return 0;
    }
    if (!doc.m_exclusions.empty() || doc.m_hidden.size() != 5) std::abort();
    const std::vector<std::uint8_t> stored = doc.WriteBytes();
    CGastrologDoc again;
    if (!again.ReadBytes(stored).Succeeded()) std::abort();
    if (again.WriteBytes() != stored) std::abort();
    return 0;
}
