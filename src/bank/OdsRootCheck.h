#pragma once

#include <cstddef>
#include <string_view>

// Checks the quick pass over content.xml makes before trusting prefixes as written.
namespace tesvora::bank {

// Where the root element may start: past a UTF-8 byte order mark and an XML declaration
// that names no encoding other than UTF-8; xml.size() when the start is unusual.
size_t odsPrologEnd(std::string_view xml);

// Whether the root's attributes bind the prefixes table, text and office to their usual
// namespaces, bind no other prefix to them and declare no default namespace.
bool odsUsualNamespaces(std::string_view rootAttributes);

} // namespace tesvora::bank
