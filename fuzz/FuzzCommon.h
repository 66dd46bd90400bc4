#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Workbook.h"

// Reads every sheet and every cell a reader gives, so lazy readers are exercised to the end.
inline void touchWorkbook(const tesvora::bank::Expected<std::unique_ptr<tesvora::bank::Workbook>>& workbook)
{
    if (!workbook)
        return;
    const int count = int((*workbook)->sheetNames().size());
    for (int i = 0; i < count; ++i) {
        auto sheet = (*workbook)->loadSheet(i);
        if (!sheet)
            continue;
        const auto range = (*sheet)->usedRange();
        size_t total = 0;
        (*sheet)->forEachCell([&](int, int, const std::string& text) { total += text.size(); });
        (void)(*sheet)->cellText(range.firstRow, range.firstCol);
        (void)(*sheet)->cellText(range.lastRow + 1, range.lastCol + 1);
        (void)total;
    }
}
