// Date-time texts and the day-count date serials of the settings file.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "util/platform.h"

namespace lentora {

// Short date, a blank and long time in the user's regional formats; exactly at midnight the date alone.
std::wstring DateTimeText(const platform::LocalTime& t);

// The current local date and time as text fit for a file name: DateTimeStampFrom(DateTimeText(now)).
std::wstring DateTimeStamp();
// Removes every "/", ".", "-" and ":" and turns blanks into "-": "09.12.2014 14:05:33" gives "09122014-140533".
std::wstring DateTimeStampFrom(std::wstring_view dateTimeText);

// Date serials: days since 30 December 1899, the time of day as the fraction. Before that day the
// fraction still counts forward from midnight (-1.25 is 29 December 1899, 06:00).
double ToDateSerial(const platform::LocalTime& t);
// Rounded to the millisecond; a serial that is not a date of the years 1 to 9999 gives 30 December 1899.
platform::LocalTime FromDateSerial(double serial);
// Today, whole days.
double TodaySerial();

// Decimal text with the user's decimal separator; whole days carry no fraction (41982).
std::wstring FormatDateSerial(double serial);
// Reads what FormatDateSerial writes (blanks around it allowed); nothing when the text is not a number.
std::optional<double> ParseDateSerial(std::wstring_view text);
// The serial's date in the user's regional short date format.
std::wstring ShortDateOfSerial(double serial);

}  // namespace lentora
