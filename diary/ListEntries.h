#pragma once
// Entries of the three generated lists. They are rebuilt by every list generation and never
// stored in the file.

#include <string>

class CListEntry {
public:
    CListEntry() = default;
    explicit CListEntry(std::string name) : m_name(std::move(name)) {}

    bool operator==(const CListEntry&) const = default;

    std::string m_name;
};

class CInclusion : public CListEntry {
    using CListEntry::CListEntry;
};
class CExclusion : public CListEntry {
    using CListEntry::CListEntry;
};
class COver50Day : public CListEntry {
    using CListEntry::CListEntry;
};
