#include "CellsJson.h"

#include "CellAddress.h"

namespace tesvora::cli {

namespace {

nlohmann::ordered_json sheetJson(const bank::Sheet& sheet)
{
    const bank::UsedRange range = sheet.usedRange();
    nlohmann::ordered_json cells = nlohmann::ordered_json::object();
    sheet.forEachCell([&](int row, int col, const std::string& text) { cells[bank::CellAddress(row, col)] = text; });
    return {
        {"name", sheet.name()},
        {"firstRow", range.firstRow},
        {"lastRow", range.lastRow},
        {"firstCol", range.firstCol},
        {"lastCol", range.lastCol},
        {"cells", std::move(cells)},
    };
}

} // namespace

bank::Expected<nlohmann::ordered_json> cellsJson(bank::Workbook& workbook, std::optional<int> sheetNumber)
{
    std::vector<int> numbers;
    if (sheetNumber)
        numbers.push_back(*sheetNumber);
    else
        for (int number = 1; number <= int(workbook.sheetNames().size()); ++number)
            numbers.push_back(number);
    nlohmann::ordered_json sheets = nlohmann::ordered_json::array();
    for (int number : numbers) {
        auto sheet = bank::SelectSheet(workbook, number);
        if (!sheet)
            return tl::unexpected(sheet.error());
        sheets.push_back(sheetJson(**sheet));
    }
    return nlohmann::ordered_json{{"sheets", std::move(sheets)}};
}

} // namespace tesvora::cli
