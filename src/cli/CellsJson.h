#pragma once

#include <optional>

#include <nlohmann/json.hpp>

#include "Workbook.h"

namespace tesvora::cli {

// The workbook as {"sheets": [{"name", "firstRow", "lastRow", "firstCol", "lastCol", "cells": {"A1": text}}]},
// every non-empty cell in row order; only sheet `sheetNumber` (1-based) when given.
// A sheet that cannot be read, or a number naming no sheet, gives its error.
bank::Expected<nlohmann::ordered_json> cellsJson(bank::Workbook& workbook, std::optional<int> sheetNumber);

} // namespace tesvora::cli
