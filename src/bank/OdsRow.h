#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "OdsCell.h"
#include "ReadError.h"

namespace tesvora::bank {

// A run of equal cells with content in one row: columns col .. col + repeat - 1 (1-based).
struct OdsRowCell {
    int col;
    int repeat;
    std::string text;
};

// Gathers the cells of one <table:table-row> from parse events, left to right, honouring
// table:number-columns-repeated; empty and covered cells take columns but are not kept.
class OdsRowCells {
public:
    bool inCell() const { return m_cell.active(); }

    // Starts a row: no cells, column 0.
    void beginRow();

    // An element start inside the row; false when it is neither a cell nor inside one.
    bool start(std::string_view name, const char** attributes);

    // An element end inside the row (a cell's own end keeps the cell).
    void end(std::string_view name);

    void text(std::string_view data);

    // The cells kept so far, by column.
    std::vector<OdsRowCell>& cells() { return m_cells; }

private:
    OdsCell m_cell;
    std::vector<OdsRowCell> m_cells;
    int m_col = 0;
    int m_repeat = 1;
};

// The start and end tags of content.xml's root, which give a piece of it its namespaces.
struct OdsRoot {
    std::string open;
    std::string close;
};

// Parses the row element `piece` with the namespaces of `root` into `cells`; Corrupt when the
// piece is not one whole, well-formed element, and then `cells` holds those before the damage.
Expected<void> parseOdsRow(const OdsRoot& root, std::string_view piece, std::vector<OdsRowCell>& cells);

// How many times attribute `name` (as expat gives it) asks an element to repeat: 1 to kMaxRows.
int odsRepeatCount(const char** attributes, std::string_view name);

} // namespace tesvora::bank
