#include "XlsxParts.h"

namespace tesvora::bank {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The UTF-16 unit of an escape "_xHHHH_" at `at`, or -1 when there is none.
int escapeAt(std::string_view text, size_t at)
{
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return -1;
    int unit = 0;
    for (size_t i = at + 2; i < at + 6; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

void appendUtf8(std::string& out, unsigned code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string decodeXlsxEscapes(std::string_view text)
{
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const int unit = escapeAt(text, i);
        if (unit < 0) {
            out += text[i++];
            continue;
        }
        i += 7;
        unsigned code = unsigned(unit);
        if (code >= 0xD800 && code < 0xDC00) {
            const int low = escapeAt(text, i);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + unsigned(low - 0xDC00);
                i += 7;
            } else {
                code = 0xFFFD;
            }
        } else if (code >= 0xDC00 && code < 0xE000) {
            code = 0xFFFD; // a lone low surrogate
        }
        appendUtf8(out, code);
    }
    return out;
}

} // namespace tesvora::bank
