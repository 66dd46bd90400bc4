#include "TextDecoding.h"

#include <cstdint>

#include <unicode/ucnv.h>

namespace tesvora::bank {

std::optional<std::string> toUtf8(std::string_view bytes, const char* charset)
{
    if (bytes.empty())
        return std::string();
    if (bytes.size() > size_t(INT32_MAX) / 2)
        return std::nullopt; // ICU counts in int32_t; files are capped far below this
    UErrorCode status = U_ZERO_ERROR;
    // Preflight for the size, then convert; UTF-8 output is at most 3 bytes per source byte.
    const int32_t size = ucnv_convert("UTF-8", charset, nullptr, 0, bytes.data(), int32_t(bytes.size()), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        return std::nullopt;
    std::string out(size_t(size), '\0');
    status = U_ZERO_ERROR;
    ucnv_convert("UTF-8", charset, out.data(), size, bytes.data(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    return out;
}

std::string codePageCharset(int codePage)
{
    switch (codePage) {
    case 0:
    case 0x8001: // "ANSI" as old Excel writes it
        return "windows-1252";
    case 0x8000:
        return "macintosh";
    case 1200:
        return "UTF-16LE";
    case 367:
        return "US-ASCII";
    default:
        return "windows-" + std::to_string(codePage);
    }
}

} // namespace tesvora::bank
