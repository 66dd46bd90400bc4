#include "ZipArchive.h"

#include <algorithm>
#include <utility>

#include <zip.h>

namespace tesvora::bank {

namespace {

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

ReadError zipError(zip_error_t* error, const std::string& what)
{
    return ReadError{ReadErrorCode::Corrupt, "zip: " + what + ": " + zip_error_strerror(error)};
}

} // namespace

Expected<ZipArchive> ZipArchive::open(std::string bytes)
{
    ZipArchive archive;
    archive.m_bytes = std::make_unique<std::string>(std::move(bytes));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive.m_bytes->data(), archive.m_bytes->size(), 0, &error);
    if (source == nullptr) {
        ReadError failure = zipError(&error, "buffer");
        zip_error_fini(&error);
        return tl::unexpected(failure);
    }
    archive.m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive.m_zip == nullptr) {
        zip_source_free(source);
        ReadError failure = zipError(&error, "open");
        zip_error_fini(&error);
        return tl::unexpected(failure);
    }
    zip_error_fini(&error);
    return archive;
}

ZipArchive::ZipArchive(ZipArchive&& other) noexcept
    : m_bytes(std::move(other.m_bytes)), m_zip(std::exchange(other.m_zip, nullptr))
{
}

ZipArchive& ZipArchive::operator=(ZipArchive&& other) noexcept
{
    if (this != &other) {
        if (m_zip != nullptr)
            zip_discard(m_zip);
        m_zip = std::exchange(other.m_zip, nullptr);
        m_bytes = std::move(other.m_bytes);
    }
    return *this;
}

ZipArchive::~ZipArchive()
{
    if (m_zip != nullptr)
        zip_discard(m_zip);
}

bool ZipArchive::has(std::string_view name) const
{
    return zip_name_locate(m_zip, std::string(name).c_str(), 0) >= 0;
}

Expected<std::string> ZipArchive::read(std::string_view name, size_t cap) const
{
    const std::string entry(name);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(m_zip, entry.c_str(), 0, &stat) != 0)
        return readError(ReadErrorCode::Corrupt, "zip: no entry " + entry);
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen(m_zip, entry.c_str(), 0));
    if (!file)
        return readError(ReadErrorCode::Corrupt, "zip: cannot open " + entry + ": " + zip_strerror(m_zip));
    std::string text;
    // The declared size only sizes the first buffer; the cap is checked on what actually comes out.
    // Deflate cannot expand more than about 1032 to 1, so a larger claim is a lie.
    zip_uint64_t first = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 1 << 16;
    if (stat.valid & ZIP_STAT_COMP_SIZE)
        first = std::min<zip_uint64_t>(first, stat.comp_size * 1100 + (1 << 16));
    text.resize(size_t(std::min<zip_uint64_t>(first, cap)) + 1);
    size_t used = 0;
    for (;;) {
        if (used == text.size()) {
            if (text.size() > cap)
                return readError(ReadErrorCode::TooLarge, "zip: " + entry + " inflates past " + std::to_string(cap));
            text.resize(std::min(text.size() * 2, cap + 1));
        }
        const zip_int64_t got = zip_fread(file.get(), text.data() + used, text.size() - used);
        if (got < 0)
            return readError(ReadErrorCode::Corrupt, "zip: " + entry + ": " + zip_file_strerror(file.get()));
        if (got == 0)
            break;
        used += size_t(got);
    }
    if (used > cap)
        return readError(ReadErrorCode::TooLarge, "zip: " + entry + " inflates past " + std::to_string(cap));
    text.resize(used);
    return text;
}

} // namespace tesvora::bank
