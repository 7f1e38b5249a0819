// The date and time put in front of each message of the text pane:
// "MM/DD/YYYY  HH:MM:SS   " (24-hour time, two blanks after the date, three after the time).
#pragma once

#include <ctime>
#include <string>

std::string FormatTimeStamp(const std::tm& local);

// The prefix for a moment given in seconds since 1970, in local time; "" when the moment
// cannot be converted.
std::string LocalTimeStamp(std::time_t when);
