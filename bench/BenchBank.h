#pragma once

#include <filesystem>
#include <optional>

// The benchmark's question bank: 100,000 rows of 10 columns with Chinese text, written as csv
// and converted by LibreOffice into the other formats, once, into a cache folder.
namespace tesvora::bench {

inline constexpr int kBankRows = 100000;
inline constexpr int kBankCols = 10;

// The bank in `extension` ("csv", "xlsx", "xls", "ods") under `cacheDir`, made when missing;
// nothing when LibreOffice is not installed or the conversion fails (a message says why).
std::optional<std::filesystem::path> benchBank(const std::filesystem::path& cacheDir, const char* extension);

} // namespace tesvora::bench
