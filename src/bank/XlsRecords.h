#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ReadError.h"

namespace tesvora::bank {

// A cell value taken from the BIFF record stream itself, 1-based.
struct XlsRecordCell {
    int row;
    int col;
    std::string text;
};

// What FreeXL does not give: whether the stream is encrypted, and per worksheet (tab order)
// the cached formula results, the boolean and error cells and the texts with formatting runs
// (RSTRING), as the spreadsheet shows them.
struct XlsRecordScan {
    bool encrypted = false;
    int biffVersion = 8;
    std::vector<std::vector<XlsRecordCell>> sheets;
    uint64_t cellSlots = 0; // rows times columns of every worksheet's DIMENSION: what FreeXL allocates
};

// Scans the "Workbook"/"Book" stream of an xls file for FILEPASS, BOUNDSHEET, DIMENSION, FORMULA,
// STRING, RSTRING and BOOLERR records only; Corrupt when the stream does not start with a BOF record.
Expected<XlsRecordScan> scanXlsRecords(std::string_view stream);

} // namespace tesvora::bank
