#pragma once

#include <string>

#include <tl/expected.hpp>

namespace tesvora::bank {

// Why a workbook could not be read. One code for every format.
enum class ReadErrorCode {
    NotFound,     // no such file
    NotAFile,     // a folder or a device
    Unreadable,   // exists but cannot be opened for reading
    EmptyFile,    // zero bytes
    Unsupported,  // not a workbook of a kind we read
    Encrypted,    // password-protected
    Corrupt,      // damaged or truncated container, XML or record stream
    TooLarge,     // over one of the reader's size caps
    NoSuchSheet,  // sheet number names no sheet
};

// A failed read: the code, plus a technical detail for the command line and bug reports.
struct ReadError {
    ReadErrorCode code;
    std::string detail;

    // The sentence a teacher sees, in Chinese; never empty.
    std::string message() const;
};

template <typename T>
using Expected = tl::expected<T, ReadError>;

inline tl::unexpected<ReadError> readError(ReadErrorCode code, std::string detail = {})
{
    return tl::unexpected<ReadError>(ReadError{code, std::move(detail)});
}

} // namespace tesvora::bank
