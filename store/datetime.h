#pragma once

#include <ctime>
#include <functional>
#include <string>

// The date-time text of a note and of the published page: the user's short date (%x), then
// one blank and the user's long time (%X) unless the time is exactly 00:00:00.
std::string DateTimeText(const std::tm& local);

// The current local date-time as that text.
std::string CurrentDateTimeText();

// Where "now" comes from; tests fix the clock here. The system clock when empty.
extern std::function<std::time_t()> Clock;
