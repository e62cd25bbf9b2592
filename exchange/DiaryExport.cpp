#include "exchange/DiaryExport.h"

#include <sstream>

#include "exchange/CsvExport.h"
#include "exchange/JsonExport.h"

std::string DiaryExportText(const CGastrologDoc& doc, ExportFormat format) {
    if (format == ExportFormat::Json) return DiaryToJson(doc).dump(2) + "\n";
    std::ostringstream csv;
    WriteDiaryCsv(doc, csv);
    return csv.str();
}
