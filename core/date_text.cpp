// The local date as a seconds count, and its %-token formatting.
#include "core/date_text.h"

#include "platform/platform.h"

#include <cctype>
#include <cstdio>

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Fields {
    int64_t year;
    int month, day, hour, minute, second;
};

Fields FieldsOf(int32_t date) {
    int64_t seconds = date;
    int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    int64_t rest = seconds - days * 86400;
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t mp = (5 * dayOfYear + 2) / 153;
    Fields f{};
    f.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    f.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    f.year = yearOfEra + era * 400 + (f.month <= 2);
    f.hour = static_cast<int>(rest / 3600);
    f.minute = static_cast<int>(rest / 60 % 60);
    f.second = static_cast<int>(rest % 60);
    return f;
}

bool MatchesToken(const std::string& mask, size_t at, const char* token) {
    for (size_t i = 0; token[i]; ++i) {
        if (at + i >= mask.size()) return false;
        if (std::tolower(static_cast<unsigned char>(mask[at + i])) != token[i]) return false;
    }
    return true;
}

std::string TwoDigits(int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

}  // namespace

int32_t CurrentDate() {
    platform::LocalTime t = platform::LocalClock();
    int64_t seconds = DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
    return static_cast<int32_t>(seconds);
}

std::string FormatDateText(const std::string& mask, int32_t date) {
    const Fields f = FieldsOf(date);
    struct Token {
        const char* text;
        std::string value;
    };
    char year[24];
    std::snprintf(year, sizeof year, "%04lld", static_cast<long long>(f.year));
    const Token tokens[] = {
        {"yyyy", year},           {"yy", TwoDigits(f.year % 100)}, {"mm", TwoDigits(f.month)},
        {"dd", TwoDigits(f.day)}, {"hh", TwoDigits(f.hour)},       {"ii", TwoDigits(f.minute)},
        {"ss", TwoDigits(f.second)},
    };
    std::string result;
    for (size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] != '%') {
            result += mask[i];
            continue;
        }
        bool replaced = false;
        for (const Token& token : tokens) {
            if (MatchesToken(mask, i + 1, token.text)) {
                result += token.value;
                i += std::char_traits<char>::length(token.text);
                replaced = true;
                break;
            }
        }
        if (!replaced) result += '%';
    }
    return result;
}
