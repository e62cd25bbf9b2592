// Reads arbitrary bytes as a diary. Whatever is accepted must store again, read back and store
// to the very same bytes; whatever is refused must leave the document empty.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "diary/GastrologDoc.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

bool IsCleared(const CGastrologDoc& doc) {
    return doc.Foods().empty() && doc.Symptoms().empty() && doc.HiddenUnits().empty() &&
           doc.FoodNames().empty() && doc.SymptomLines().empty() && doc.DayList().empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CGastrologDoc doc;
    Members(doc).m_foods.emplace_back("left over");  // must not survive a refusal
    Members(doc).m_exclusions.emplace_back("left over");
    if (!doc.ReadBytes(std::span<const std::uint8_t>(data, size)).Succeeded()) {
        if (!IsCleared(doc) || !doc.Exclusions().empty()) std::abort();
        return 0;
    }
    if (!doc.Exclusions().empty() || doc.HiddenUnits().size() != 5) std::abort();
    const std::vector<std::uint8_t> stored = doc.WriteBytes();
    CGastrologDoc again;
    if (!again.ReadBytes(stored).Succeeded()) std::abort();
    if (again.WriteBytes() != stored) std::abort();
    return 0;
}
