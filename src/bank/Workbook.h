#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ReadError.h"
#include "Sheet.h"

namespace tesvora::bank {

// An open workbook file. It lives only while it is used: nothing is held open
// between uses and nothing is ever written back.
class Workbook {
public:
    virtual ~Workbook() = default;

    // Sheet names in tab order, UTF-8.
    virtual const std::vector<std::string>& sheetNames() const = 0;

    // Sheet `index` (0-based, tab order), read in full on first use; a damaged sheet gives an error.
    virtual Expected<std::unique_ptr<Sheet>> loadSheet(int index) = 0;
};

// Opens the workbook at `path`, choosing the reader by the file's content, not its name.
// Gives NotFound, NotAFile, Unreadable, EmptyFile, Unsupported, Encrypted, Corrupt or TooLarge on failure.
Expected<std::unique_ptr<Workbook>> OpenBank(const std::filesystem::path& path);

// Sheet `number` (1-based, as the user counts tabs) of `workbook`; NoSuchSheet when it names none.
Expected<std::unique_ptr<Sheet>> SelectSheet(Workbook& workbook, int number);

} // namespace tesvora::bank
