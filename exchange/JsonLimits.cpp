#include "exchange/JsonLimits.h"

#include "exchange/FloatJson.h"

namespace json_limits {

namespace {

// Costs of the parsed form, each an upper estimate with the allocator's overhead and a
// container's spare capacity (up to twice what it holds).
constexpr std::size_t ValueInArray = 2 * sizeof(Json);
constexpr std::size_t MemberOfObject = 2 * (sizeof(std::string) + sizeof(Json));
constexpr std::size_t Container = 48;
constexpr std::size_t StringObject = 48;
constexpr std::size_t ShortString = 15;  // kept inside the string object

std::size_t TextCost(std::size_t length) {
    return length > ShortString ? length + 32 : 0;
}

// Counts what the parser would build, without building it.
class Estimator : public nlohmann::json_sax<Json> {
public:
    explicit Estimator(std::size_t stopAbove) : m_stopAbove(stopAbove) {}

    bool null() override { return Value(0); }
    bool boolean(bool) override { return Value(0); }
    bool number_integer(number_integer_t) override { return Value(0); }
    bool number_unsigned(number_unsigned_t) override { return Value(0); }
    bool number_float(number_float_t, const string_t&) override { return Value(0); }
    bool string(string_t& text) override { return Value(StringObject + TextCost(text.size())); }
    bool binary(binary_t& data) override { return Value(Container + data.size()); }
    bool start_object(std::size_t) override { return Open(); }
    bool key(string_t& name) override {
        m_estimate.bytes += MemberOfObject + TextCost(name.size());
        m_keyed = true;
        return Within();
    }
    bool end_object() override { return Close(); }
    bool start_array(std::size_t) override { return Open(); }
    bool end_array() override { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

    const ParsedEstimate& Estimate() const { return m_estimate; }

private:
    // A value in an array takes a slot there; a member's slot was counted with its key.
    bool Value(std::size_t own) {
        m_estimate.bytes += own + (m_keyed ? 0 : ValueInArray);
        m_keyed = false;
        return Within();
    }
    bool Open() {
        if (++m_depth > DeepestDiaryNesting) {
            m_estimate.tooDeep = true;
            return false;
        }
        return Value(Container);
    }
    bool Close() {
        --m_depth;
        return true;
    }
    bool Within() const { return m_estimate.bytes <= m_stopAbove; }

    std::size_t m_stopAbove;
    std::size_t m_depth = 0;
    bool m_keyed = false;
    ParsedEstimate m_estimate;
};

}  // namespace

std::size_t ParsedMemoryBudget(std::size_t inputSize) {
    return 6 * inputSize + std::size_t{32} * 1024 * 1024;
}

ParsedEstimate EstimateParsedSize(std::string_view text, std::size_t stopAbove) {
    Estimator estimator(stopAbove);
    Json::sax_parse(text, &estimator);
    return estimator.Estimate();
}

FileResult CheckBeforeParsing(std::string_view text, const std::string& source) {
    const std::size_t budget = ParsedMemoryBudget(text.size());
    const ParsedEstimate estimate = EstimateParsedSize(text, budget);
    if (estimate.tooDeep)
        return FileResult(FileResult::Code::Format,
                          source + " nests deeper than the " + std::to_string(DeepestDiaryNesting) +
                              " levels of a diary's JSON, so it is no diary",
                          true);
    if (estimate.bytes > budget)
        return FileResult(FileResult::Code::TooLarge,
                          source + " holds more values than import takes in " +
                              std::to_string(budget / (1024 * 1024)) + " MiB of memory",
                          true);
    return FileResult::Success();
}

}  // namespace json_limits
