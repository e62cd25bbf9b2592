#include "cli/RelateReport.h"

#include <algorithm>
#include <ostream>

#include "cli/TextTable.h"
#include "diary/GastrologDoc.h"
#include "diary/Windows1252.h"

namespace {

// The three lists always hold one entry per symptom; a short one would leave its cell empty.
std::string Cell(const StringList& column, std::size_t row) {
    return row < column.size() ? Windows1252ToUtf8(column[row]) : std::string();
}

std::size_t RowCount(const CGastrologDoc& doc) {
    return std::max(
        {doc.RelateSymptoms().size(), doc.RelateBest().size(), doc.RelateWorst().size()});
}

}  // namespace

void WriteRelationshipsText(const CGastrologDoc& doc, std::ostream& out) {
    if (RowCount(doc) == 0) {
        out << "The diary holds no symptoms.\n";
        return;
    }
    TextTable table;
    table.AddRow({"Symptom", "Best food", "Worst food"});
    for (std::size_t row = 0; row < RowCount(doc); ++row)
        table.AddRow({Cell(doc.RelateSymptoms(), row), Cell(doc.RelateBest(), row),
                      Cell(doc.RelateWorst(), row)});
    table.Write(out);
}

Json RelationshipsToJson(const CGastrologDoc& doc) {
    Json rows = Json::array();
    for (std::size_t row = 0; row < RowCount(doc); ++row) {
        Json entry;
        entry["symptom"] = Cell(doc.RelateSymptoms(), row);
        entry["best"] = Cell(doc.RelateBest(), row);
        entry["worst"] = Cell(doc.RelateWorst(), row);
        rows.push_back(std::move(entry));
    }
    Json result;
    result["rows"] = std::move(rows);
    return result;
}
