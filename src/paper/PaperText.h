#pragma once

#include <string_view>

namespace tesvora::paper {

// Heading of a new paper: title line and the name/time/score line, each ended by CR LF.
extern const std::string_view kResetText;

// What the paper box holds at start-up: the heading and one empty line.
extern const std::string_view kPaperTemplate;

} // namespace tesvora::paper
