#pragma once
// Plain-text columns for the terminal: every column as wide as its widest cell, two blanks
// between columns, no trailing blanks.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class TextTable {
public:
    // Cells are UTF-8.
    void AddRow(std::vector<std::string> cells) { m_rows.push_back(std::move(cells)); }
    void Write(std::ostream& out, std::string_view indent = {}) const;

private:
    std::vector<std::vector<std::string>> m_rows;
};

// Characters a UTF-8 text takes on the terminal, counted as code points.
std::size_t TextWidth(std::string_view utf8);
