#include "IsoDate.h"

#include <cmath>
#include <cstdio>

namespace tesvora::bank {

namespace {

std::string clockText(long long seconds)
{
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

} // namespace

std::string formatIsoDate(std::string_view iso)
{
    int y = 0, m = 0, d = 0, hh = 0, mm = 0;
    double ss = 0;
    const std::string text(iso.substr(0, 64));
    const int fields = std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%lf", &y, &m, &d, &hh, &mm, &ss);
    if (fields < 3) {
        if (std::sscanf(text.c_str(), "%d:%d:%lf", &hh, &mm, &ss) == 3 && hh >= 0 && mm >= 0 && ss >= 0)
            return clockText(hh * 3600LL + mm * 60LL + std::llround(ss));
        return std::string(iso);
    }
    std::string out = std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d);
    const long long seconds = fields == 6 ? hh * 3600LL + mm * 60LL + std::llround(ss) : 0;
    if (seconds > 0 && seconds < 86400)
        out += " " + clockText(seconds);
    return out;
}

std::string formatIsoDuration(std::string_view duration)
{
    const std::string text(duration.substr(0, 64));
    const bool negative = !text.empty() && text[0] == '-';
    int hours = 0, minutes = 0;
    double seconds = 0;
    if (std::sscanf(text.c_str() + negative, "PT%dH%dM%lfS", &hours, &minutes, &seconds) != 3 || hours < 0 ||
        minutes < 0 || !(seconds >= 0) || seconds > 1e9)
        return std::string(duration);
    const std::string clock = clockText(hours * 3600LL + minutes * 60LL + std::llround(seconds));
    return negative ? "-" + clock : clock;
}

} // namespace tesvora::bank
