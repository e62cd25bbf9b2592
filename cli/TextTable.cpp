#include "cli/TextTable.h"

#include <algorithm>
#include <ostream>

std::size_t TextWidth(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;  // not a continuation byte
    }));
}

void TextTable::Write(std::ostream& out, std::string_view indent) const {
    std::vector<std::size_t> widths;
    for (const auto& row : m_rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], TextWidth(row[column]));
    }
    for (const auto& row : m_rows) {
        out << indent;
        for (std::size_t column = 0; column < row.size(); ++column) {
            out << row[column];
            if (column + 1 < row.size())
                out << std::string(widths[column] - TextWidth(row[column]) + 2, ' ');
        }
        out << '\n';
    }
}
