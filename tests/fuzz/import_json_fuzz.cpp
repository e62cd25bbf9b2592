// Reads arbitrary text as the JSON of a diary. Whatever import accepts must pass its check before
// parsing, and store, read back, export and import again to the very same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "diary/GastrologDoc.h"
#include "exchange/JsonExport.h"
#include "exchange/JsonImport.h"
#include "exchange/JsonLimits.h"

namespace {

// The largest input worth trying; import bounds its input far above this.
constexpr std::size_t LargestInput = 1 << 20;

bool Parse(std::string_view text, Json& json) {
    try {
        json = Json::parse(text);
        return true;
    } catch (const Json::exception&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > LargestInput) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool passesPrePass = json_limits::CheckBeforeParsing(text, "input").IsOk();
    Json json;
    if (!Parse(text, json)) return 0;
    CGastrologDoc doc;
    if (!DiaryFromJson(json, doc).IsOk()) return 0;  // refused
    // What import would take, its pass before parsing must not refuse.
    if (!passesPrePass) std::abort();
    // Import refuses what the format cannot hold and what the reader would refuse.
    const std::vector<std::uint8_t> stored = doc.WriteBytes();
    CGastrologDoc read;
    if (!read.ReadBytes(stored).Succeeded()) std::abort();
    CGastrologDoc again;
    if (!DiaryFromJson(DiaryToJson(read), again).IsOk()) std::abort();
    if (again.WriteBytes() != stored) std::abort();
    return 0;
}
