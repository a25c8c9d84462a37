#include "date_format.h"

namespace {

LPCSTR WeekdayText(WORD wDayOfWeek) {
    static const LPCSTR kWeekdays[] = {"Sunday,  ",   "Monday,  ", "Tuesday,  ", "Wednesday,  ",
                                       "Thursday,  ", "Friday,  ", "Saturday,  "};
    return wDayOfWeek <= 6 ? kWeekdays[wDayOfWeek] : "Monday,  ";
}

LPCSTR MonthText(WORD wMonth) {
    static const LPCSTR kMonths[] = {"January ",   "February ", "March ",    "April ",
                                     "May ",       "June ",     "July ",     "August ",
                                     "September ", "October ",  "November ", "December "};
    return wMonth >= 1 && wMonth <= 12 ? kMonths[wMonth - 1] : "January ";
}

} // namespace

CString FormatDateFields(const SYSTEMTIME& stLocal) {
    const int nHour12 = stLocal.wHour % 12 == 0 ? 12 : stLocal.wHour % 12;
    CString strDate;
    strDate.Format("%s%s%u, %u,  %d:%02u:%02u  %s", WeekdayText(stLocal.wDayOfWeek),
                   MonthText(stLocal.wMonth), unsigned{stLocal.wDay}, unsigned{stLocal.wYear},
                   nHour12, unsigned{stLocal.wMinute}, unsigned{stLocal.wSecond},
                   stLocal.wHour < 12 ? "AM" : "PM");
    return strDate;
}

CString FormatFileDate(const FILETIME& ftTime) {
    FILETIME ftLocal = {0, 0};
    SYSTEMTIME stLocal = {};
    FileTimeToLocalFileTime(&ftTime, &ftLocal);
    FileTimeToSystemTime(&ftLocal, &stLocal);
    return FormatDateFields(stLocal);
}
