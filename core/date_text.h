// The date and time line of the options screen.
#pragma once

#include <cstdint>
#include <string>

// the local wall clock as seconds since 1970-01-01, counted as if it were UTC
int32_t CurrentDate();
// the mask with %yyyy %yy %mm %dd %hh %ii %ss (any case) replaced from date
std::string FormatDateText(const std::string& mask, int32_t date);
