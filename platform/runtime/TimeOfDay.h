#pragma once
// The time of day and the short date as text, as the game reads them.
#include <string>

class TimeOfDay {
public:
    virtual ~TimeOfDay() = default;
    // The time as "HH:MM:SS".
    virtual std::string TimeText() = 0;
    // The date in the short format, "DD.MM.YYYY".
    virtual std::string ShortDate() = 0;
    // The seconds: the last two characters of the time text as a number.
    int Seconds();
};

class SystemTimeOfDay : public TimeOfDay {
public:
    std::string TimeText() override;
    std::string ShortDate() override;
};
