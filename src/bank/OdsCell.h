#pragma once

#include <string>
#include <string_view>

namespace tesvora::bank {

// Gathers one <table:table-cell>: its value attributes and its paragraphs, and gives the
// text the cell shows. Notes (office:annotation) and drawings inside the cell are left out.
class OdsCell {
public:
    bool active() const { return m_active; }

    // Starts a cell with the cell element's attributes; a covered (merged-away) cell stays empty.
    void begin(const char** attributes, bool covered);

    // An element inside the cell.
    void start(std::string_view name, const char** attributes);

    // An element's end; true when it ends the cell itself.
    bool end(std::string_view name);

    void text(std::string_view data);

    // The cell's text ("" for an empty or covered cell); the cell is then no longer active.
    std::string finish();

private:
    bool skipping() const { return m_skipFrom > 0; }

    bool m_active = false;
    bool m_covered = false;
    int m_depth = 0;      // elements open inside the cell
    int m_skipFrom = 0;   // depth of an open note or drawing, 0 when none
    int m_paragraphDepth = 0;
    int m_paragraphs = 0;
    std::string m_type;   // office:value-type
    std::string m_shown;  // calcext:value-type
    std::string m_value;  // the office:*-value attribute that goes with the type
    std::string m_text;
};

} // namespace tesvora::bank
