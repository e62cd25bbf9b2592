#include "page/PageHeading.h"

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"

std::string ListsDate(TimeValue now, int newDayHour) {
    const TimeValue day =
        calendar::HourOf(now) >= newDayHour ? calendar::DaysEarlier(now, -1) : now;
    return calendar::Format(day, calendar::DateFormat);
}

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
        heading += ListsDate(doc.GetNow(), doc.GetNewDayHour());
        heading.append(12, ' ');
    }
    heading += "   day: ";
    heading += std::to_string(doc.DayCount());
    return heading;
}
