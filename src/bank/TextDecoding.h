#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tesvora::bank {

// `bytes` in the ICU charset `charset` ("GB18030", "UTF-16LE", "windows-936") as UTF-8, with
// malformed sequences replaced by U+FFFD; nothing when ICU knows no such charset. No BOM handling.
std::optional<std::string> toUtf8(std::string_view bytes, const char* charset);

// The ICU charset of a Windows code page number (936 gives "windows-936"); "windows-1252" for 0.
std::string codePageCharset(int codePage);

} // namespace tesvora::bank
