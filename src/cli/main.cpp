// tesvora-cli: looks into question-bank workbooks from the command line.
#include <iostream>

#include <CLI/CLI.hpp>

#include "CellsJson.h"

int main(int argc, char** argv)
{
    CLI::App app{"Tesvora command-line tool: reads question-bank workbooks (xlsx, xlsm, xls, ods, csv)"};
    app.require_subcommand(1);

    std::string file;
    std::optional<int> sheet;
    CLI::App* cells = app.add_subcommand("cells", "Print every non-empty cell of the workbook as JSON");
    cells->add_option("FILE", file, "Workbook to read")->required();
    cells->add_option("--sheet", sheet, "Only this sheet (1 = first tab)")->check(CLI::PositiveNumber);

    CLI11_PARSE(app, argc, argv);

    auto workbook = tesvora::bank::OpenBank(file);
    if (!workbook) {
        std::cerr << file << ": " << workbook.error().message() << " (" << workbook.error().detail << ")\n";
        return 1;
    }
    auto json = tesvora::cli::cellsJson(**workbook, sheet);
    if (!json) {
        std::cerr << file << ": " << json.error().message() << " (" << json.error().detail << ")\n";
        return 1;
    }
    std::cout << json->dump(2) << '\n';
    return 0;
}
