#pragma once
// Plain-text columns for the terminal: every column as wide as its widest cell, two blanks
// between columns, no trailing blanks. A cell that other cells follow is cut to
// MaximumCellWidth characters, ending in "...", so that one long name does not pad every line;
// the last cell of a row is written whole.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class TextTable {
public:
    static constexpr std::size_t MaximumCellWidth = 30;

    // Cells are UTF-8.
    void AddRow(std::vector<std::string> cells) { m_rows.push_back(std::move(cells)); }
    void Write(std::ostream& out, std::string_view indent = {}) const;

private:
    std::vector<std::vector<std::string>> m_rows;
};

// Characters a UTF-8 text takes on the terminal, counted as code points.
std::size_t TextWidth(std::string_view utf8);

// The text when it is at most `width` characters; else its first width - 3 and "...".
std::string CutToWidth(std::string_view utf8, std::size_t width);

// "84 %", or "84 % (42/50)" with the counts; "-" when there is nothing to count.
std::string PercentCell(int part, int whole, bool withCounts = false);
// How many per diary, with two decimals.
std::string PerDiaryCell(int count, int diaries);
