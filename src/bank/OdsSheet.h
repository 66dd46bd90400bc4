#pragma once

#include <memory>
#include <string>

#include "OdsIndex.h"
#include "Sheet.h"

namespace tesvora::bank {

// content.xml kept whole with its index, shared by the sheets read from it.
struct OdsIndexedContent {
    std::string xml;
    OdsContentIndex index;
};

// Sheet `table` (0-based, must exist) of `content`, parsing each row only when it is read.
std::unique_ptr<Sheet> makeLazyOdsSheet(std::shared_ptr<const OdsIndexedContent> content, size_t table);

} // namespace tesvora::bank
