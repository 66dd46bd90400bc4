#pragma once

#include <string_view>

// The namespaces and names the ods reader follows, as expat gives them ("uri|local").
namespace tesvora::bank {

inline constexpr std::string_view kOdsTableNs = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
inline constexpr std::string_view kOdsTextNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
inline constexpr std::string_view kOdsOfficeNs = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";

inline constexpr std::string_view kOdsTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0|table";
inline constexpr std::string_view kOdsRow = "urn:oasis:names:tc:opendocument:xmlns:table:1.0|table-row";
inline constexpr std::string_view kOdsCell = "urn:oasis:names:tc:opendocument:xmlns:table:1.0|table-cell";
inline constexpr std::string_view kOdsCoveredCell =
    "urn:oasis:names:tc:opendocument:xmlns:table:1.0|covered-table-cell";
inline constexpr std::string_view kOdsTableName = "urn:oasis:names:tc:opendocument:xmlns:table:1.0|name";
inline constexpr std::string_view kOdsRowsRepeated =
    "urn:oasis:names:tc:opendocument:xmlns:table:1.0|number-rows-repeated";
inline constexpr std::string_view kOdsColumnsRepeated =
    "urn:oasis:names:tc:opendocument:xmlns:table:1.0|number-columns-repeated";

} // namespace tesvora::bank
