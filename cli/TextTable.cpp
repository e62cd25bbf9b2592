#include "cli/TextTable.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

std::size_t TextWidth(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;  // not a continuation byte
    }));
}

std::string CutToWidth(std::string_view utf8, std::size_t width) {
    if (TextWidth(utf8) <= width) return std::string(utf8);
    const std::size_t kept = width > 3 ? width - 3 : 0;
    std::size_t characters = 0;
    std::size_t end = 0;
    // Stop at the lead byte of the first character not kept.
    for (; end < utf8.size(); ++end)
        if ((static_cast<unsigned char>(utf8[end]) & 0xC0) != 0x80 && characters++ == kept) break;
    return std::string(utf8.substr(0, end)) + "...";
}

void TextTable::Write(std::ostream& out, std::string_view indent) const {
    std::vector<std::vector<std::string>> rows = m_rows;
    std::vector<std::size_t> widths;
    for (auto& row : rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t column = 0; column + 1 < row.size(); ++column) {
            row[column] = CutToWidth(row[column], MaximumCellWidth);
            widths[column] = std::max(widths[column], TextWidth(row[column]));
        }
    }
    for (const auto& row : rows) {
        out << indent;
        for (std::size_t column = 0; column < row.size(); ++column) {
            out << row[column];
            if (column + 1 < row.size())
                out << std::string(widths[column] - TextWidth(row[column]) + 2, ' ');
        }
        out << '\n';
    }
}

std::string PercentCell(int part, int whole, bool withCounts) {
    if (whole == 0) return "-";
    char text[48];
    if (withCounts)
        std::snprintf(text, sizeof text, "%.0f %% (%d/%d)", 100.0 * part / whole, part, whole);
    else
        std::snprintf(text, sizeof text, "%.0f %%", 100.0 * part / whole);
    return text;
}

std::string PerDiaryCell(int count, int diaries) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f",
                  diaries > 0 ? static_cast<double>(count) / diaries : 0.0);
    return text;
}
