#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "XlsxParts.h"
#include "XmlParser.h"

namespace tesvora::bank {

// What every sheet of one workbook needs to turn cell values into text.
struct XlsxContext {
    SharedStrings strings;
    std::vector<int8_t> dateStyles; // per cell format: -1 or a DateKind
    bool date1904 = false;
};

// The text a cell shows, from its type (t), format index (s) and <v> or inline text.
std::string xlsxCellText(const XlsxContext& context, std::string_view type, int style, std::string_view value);

// Turns the <row> and <c> elements of sheet XML into cell texts, handing each non-empty
// cell to `sink`. Works on a whole sheet or on one <row> element alone.
class SheetCellHandler final : public XmlHandler {
public:
    using Sink = std::function<void(int row, int col, std::string text)>;

    // `row` is the row number before the first <row> (a <row> without r counts on from it).
    SheetCellHandler(const XlsxContext& context, Sink sink, int row = 0);

    void start(std::string_view name, const char** attributes) override;
    void end(std::string_view name) override;
    void text(std::string_view data) override;

private:
    void startCell(const char** attributes);

    const XlsxContext& m_context;
    Sink m_sink;
    int m_row;
    int m_col = 0;
    bool m_inCell = false;
    bool m_collect = false; // inside <v>, or a <t> of an inline string
    int m_phonetic = 0;
    std::string m_type;
    int m_style = 0;
    std::string m_value;
};

} // namespace tesvora::bank
