#pragma once

#include <filesystem>
#include <string>

#include "ReadError.h"

namespace tesvora::bank {

// The workbook stream of an xls compound file: "Workbook" (BIFF8) or "Book" (BIFF5).
struct WorkbookStream {
    std::string name;
    std::string bytes;
};

// The workbook stream of the compound file at `path`: Encrypted for an encrypted Office Open XML
// package, Unsupported for a compound file without a workbook, Corrupt for a damaged one.
Expected<WorkbookStream> readWorkbookStream(const std::filesystem::path& path);

// A fresh compound file in the temporary folder holding only `stream`, removed with this object.
// FreeXL reads this copy, so its own compound-file reader sees exactly the bytes checked before.
class TemporaryCompoundFile {
public:
    // Writes the copy; Unreadable when the temporary folder takes no file.
    static Expected<TemporaryCompoundFile> create(const WorkbookStream& stream);

    TemporaryCompoundFile(TemporaryCompoundFile&& other) noexcept
        : m_path(std::move(other.m_path))
    {
        other.m_path.clear();
    }
    TemporaryCompoundFile& operator=(TemporaryCompoundFile&&) = delete;
    ~TemporaryCompoundFile();

    const std::filesystem::path& path() const { return m_path; }

private:
    explicit TemporaryCompoundFile(std::filesystem::path path)
        : m_path(std::move(path))
    {
    }
    std::filesystem::path m_path;
};

} // namespace tesvora::bank
