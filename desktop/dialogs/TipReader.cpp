#include "desktop/dialogs/TipReader.h"

#include <sys/stat.h>

#include <array>
#include <ctime>

namespace {

bool IsSkipped(char first) {
    // '\r' and '\0' too: a blank line of a file written on Windows, and a line the reader
    // cannot show.
    return first == ' ' || first == '\t' || first == '\n' || first == '\r' || first == ';' ||
           first == '\0';
}

// The C library's fixed date text (as ctime writes it) without the line break; the names are
// English whatever the locale.
std::string DateText(std::time_t time) {
    static constexpr std::array<const char*, 7> days = {"Sun", "Mon", "Tue", "Wed",
                                                        "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> months = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    if (!localtime_r(&time, &local)) return {};
    if (local.tm_wday < 0 || local.tm_wday > 6 || local.tm_mon < 0 || local.tm_mon > 11) return {};
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%s %s%3d %.2d:%.2d:%.2d %d", days[local.tm_wday],
                  months[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_year + 1900);
    return text.data();
}

}  // namespace

TipReader::~TipReader() {
    if (m_file) std::fclose(m_file);
}

bool TipReader::Open(const std::string& path) {
    if (m_file) std::fclose(m_file);
    m_file = std::fopen(path.c_str(), "r");
    return m_file != nullptr;
}

std::string TipReader::TimeStampText() const {
    struct stat status {};
    if (!m_file || fstat(fileno(m_file), &status) != 0) return {};
    return DateText(status.st_ctime);
}

bool TipReader::Seek(long position) {
    if (!m_file || position < 0) return false;
    return std::fseek(m_file, position, SEEK_SET) == 0;
}

long TipReader::Position() const {
    return m_file ? std::ftell(m_file) : -1;
}

TipReader::Result TipReader::ReadNextTip(std::string& tip) {
    tip.clear();
    if (!m_file) return Result::NoTip;
    std::array<char, MaximumPiece + 1> piece{};
    bool rewound = false;
    for (;;) {
        if (std::fgets(piece.data(), static_cast<int>(piece.size()), m_file)) {
            if (IsSkipped(piece[0])) continue;
            tip = piece.data();
            return Result::Tip;
        }
        // Once round the whole file without a tip: there is none to find.
        if (rewound) return Result::NoTip;
        std::clearerr(m_file);
        if (std::fseek(m_file, 0, SEEK_SET) != 0) return Result::RewindFailed;
        rewound = true;
    }
}
