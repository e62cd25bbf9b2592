#include "page/PageHeading.h"

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"

std::string HeadingText(const CGastrologDoc& doc) {
    // Built by appending: GCC 12 warns falsely about chains of string + at -O3.
    std::string heading = "\"";
    heading += doc.GetTitle();
    heading += "\".";
    heading.append(4, ' ');
    if (doc.ListsCurrent()) {
        heading += "Lists produced from current information";
    } else {
        heading += "Lists produced for ";
        heading += calendar::Format(doc.ListsDay(), calendar::DateFormat);
        heading.append(12, ' ');
    }
    heading += "   day: ";
    heading += std::to_string(doc.DayCount());
    return heading;
}
