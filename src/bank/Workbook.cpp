#include "Workbook.h"

#include <cstring>
#include <fstream>
#include <system_error>

#include "Readers.h"

namespace tesvora::bank {

namespace {

namespace fs = std::filesystem;

constexpr char kZipMagic[] = {'P', 'K', '\x03', '\x04'};
constexpr char kCfbMagic[] = {'\xD0', '\xCF', '\x11', '\xE0', '\xA1', '\xB1', '\x1A', '\xE1'};

bool startsWith(const std::string& bytes, const char* magic, size_t size)
{
    return bytes.size() >= size && std::memcmp(bytes.data(), magic, size) == 0;
}

Expected<std::string> readFile(const fs::path& path, size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return readError(ReadErrorCode::Unreadable, path.string() + ": " + std::strerror(errno));
    std::string bytes;
    bytes.resize(limit);
    in.read(bytes.data(), std::streamsize(limit));
    if (in.bad())
        return readError(ReadErrorCode::Unreadable, path.string() + ": read failed");
    bytes.resize(size_t(in.gcount()));
    return bytes;
}

} // namespace

Expected<std::unique_ptr<Workbook>> OpenBank(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (path.empty() || status.type() == fs::file_type::not_found)
        return readError(ReadErrorCode::NotFound, path.string());
    if (ec)
        return readError(ReadErrorCode::Unreadable, path.string() + ": " + ec.message());
    if (status.type() != fs::file_type::regular)
        return readError(ReadErrorCode::NotAFile, path.string());
    const auto size = fs::file_size(path, ec);
    if (ec)
        return readError(ReadErrorCode::Unreadable, path.string() + ": " + ec.message());
    if (size == 0)
        return readError(ReadErrorCode::EmptyFile, path.string());
    if (size > kMaxFileBytes)
        return readError(ReadErrorCode::TooLarge, path.string() + ": " + std::to_string(size) + " bytes");

    auto head = readFile(path, sizeof kCfbMagic);
    if (!head)
        return tl::unexpected(head.error());
    if (startsWith(*head, kCfbMagic, sizeof kCfbMagic))
        return openXls(path);

    auto bytes = readFile(path, size_t(size));
    if (!bytes)
        return tl::unexpected(bytes.error());
    if (startsWith(*bytes, kZipMagic, sizeof kZipMagic)) {
        // The bytes move to the xlsx reader, the common case; an ods file is read a second time.
        auto xlsx = openXlsx(std::move(*bytes));
        if (xlsx || xlsx.error().code != ReadErrorCode::Unsupported)
            return xlsx;
        bytes = readFile(path, size_t(size));
        if (!bytes)
            return tl::unexpected(bytes.error());
        return openOds(std::move(*bytes));
    }
    return openCsv(std::move(*bytes));
}

Expected<std::unique_ptr<Sheet>> SelectSheet(Workbook& workbook, int number)
{
    const int count = int(workbook.sheetNames().size());
    if (number < 1 || number > count)
        return readError(ReadErrorCode::NoSuchSheet,
                         "sheet " + std::to_string(number) + " of " + std::to_string(count));
    return workbook.loadSheet(number - 1);
}

} // namespace tesvora::bank
