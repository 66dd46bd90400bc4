#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "Workbook.h"

// One reader per format. OpenBank sniffs the content and calls one of these;
// tests and fuzzers may call them directly. Each gives Corrupt, Encrypted,
// TooLarge or Unsupported for content it cannot read, and never throws.
namespace tesvora::bank {

// Office Open XML (.xlsx, .xlsm): `bytes` is the whole zip file.
Expected<std::unique_ptr<Workbook>> openXlsx(std::string bytes);

// OpenDocument spreadsheet (.ods): `bytes` is the whole zip file.
Expected<std::unique_ptr<Workbook>> openOds(std::string bytes);

// Legacy binary workbook (.xls, BIFF5/7/8), read from the file at `path`.
Expected<std::unique_ptr<Workbook>> openXls(const std::filesystem::path& path);

// Comma- or tab-separated text (.csv, .txt) in UTF-8, UTF-16 with BOM, or GB18030.
Expected<std::unique_ptr<Workbook>> openCsv(std::string bytes);

// Caps every reader keeps to, so hostile files cost bounded memory and time.
inline constexpr size_t kMaxFileBytes = size_t(1) << 30;     // 1 GiB on disk
inline constexpr size_t kMaxInflatedBytes = size_t(1) << 30; // 1 GiB for one inflated zip entry
inline constexpr size_t kMaxCellBytes = size_t(1) << 20;     // 1 MiB of text in one cell

} // namespace tesvora::bank
