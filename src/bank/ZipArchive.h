#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "ReadError.h"

struct zip;

namespace tesvora::bank {

// A zip file held in memory, opened read-only. Entries are inflated on request,
// each under a size cap counted while inflating (a header's size is never trusted).
class ZipArchive {
public:
    // The archive over `bytes` (kept inside); Corrupt when it is not a readable zip.
    static Expected<ZipArchive> open(std::string bytes);

    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // Whether an entry of exactly this name exists.
    bool has(std::string_view name) const;

    // The entry inflated in full; Corrupt when missing or damaged, TooLarge past `cap` bytes.
    Expected<std::string> read(std::string_view name, size_t cap) const;

private:
    ZipArchive() = default;

    std::unique_ptr<std::string> m_bytes; // libzip reads from this buffer; it must not move
    zip* m_zip = nullptr;
};

} // namespace tesvora::bank
