#include "OdsContent.h"
#include "OdsSheet.h"
#include "Readers.h"
#include "XmlParser.h"
#include "ZipArchive.h"

namespace tesvora::bank {

namespace {

constexpr std::string_view kSpreadsheetType = "application/vnd.oasis.opendocument.spreadsheet";

// Notices <manifest:encryption-data>, which marks parts encrypted with a password.
class ManifestHandler final : public XmlHandler {
public:
    void start(std::string_view name, const char**) override
    {
        if (name == "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0|encryption-data")
            encrypted = true;
    }
    void end(std::string_view) override {}
    void text(std::string_view) override {}

    bool encrypted = false;
};

// Sheets either read lazily from the indexed content.xml or, when the quick pass found
// something unusual, parsed in full up front.
class OdsWorkbook final : public Workbook {
public:
    explicit OdsWorkbook(std::shared_ptr<const OdsIndexedContent> content) : m_content(std::move(content))
    {
        for (const OdsTableIndex& table : m_content->index.tables)
            m_names.push_back(table.name);
    }

    explicit OdsWorkbook(std::vector<std::unique_ptr<GridSheet>> sheets) : m_sheets(std::move(sheets))
    {
        for (const auto& sheet : m_sheets)
            m_names.push_back(sheet->name());
    }

    const std::vector<std::string>& sheetNames() const override { return m_names; }

    Expected<std::unique_ptr<Sheet>> loadSheet(int index) override
    {
        if (index < 0 || size_t(index) >= m_names.size())
            return readError(ReadErrorCode::NoSuchSheet, "ods: sheet " + std::to_string(index + 1));
        if (m_content)
            return makeLazyOdsSheet(m_content, size_t(index));
        try {
            return std::make_unique<GridSheet>(*m_sheets[size_t(index)]);
        } catch (const std::exception& error) {
            return readError(ReadErrorCode::TooLarge, std::string("ods: ") + error.what());
        }
    }

private:
    std::shared_ptr<const OdsIndexedContent> m_content;
    std::vector<std::unique_ptr<GridSheet>> m_sheets;
    std::vector<std::string> m_names;
};

// Unsupported unless the package says it is a spreadsheet; Encrypted when its parts are.
Expected<void> checkPackage(const ZipArchive& zip)
{
    if (zip.has("mimetype")) {
        auto type = zip.read("mimetype", 256);
        if (!type || !type->starts_with(kSpreadsheetType))
            return readError(ReadErrorCode::Unsupported, "zip that is not an OpenDocument spreadsheet");
    } else if (!zip.has("content.xml")) {
        return readError(ReadErrorCode::Unsupported, "zip without content.xml");
    }
    if (zip.has("META-INF/manifest.xml")) {
        auto manifest = zip.read("META-INF/manifest.xml", kMaxInflatedBytes);
        if (!manifest)
            return tl::unexpected(manifest.error());
        ManifestHandler handler;
        auto parsed = parseXml(*manifest, handler, "ods manifest");
        if (!parsed)
            return parsed;
        if (handler.encrypted)
            return readError(ReadErrorCode::Encrypted, "ods: encrypted with a password");
    }
    return {};
}

Expected<std::unique_ptr<Workbook>> openPackage(const ZipArchive& zip)
{
    auto checked = checkPackage(zip);
    if (!checked)
        return tl::unexpected(checked.error());
    auto content = zip.read("content.xml", kMaxInflatedBytes);
    if (!content)
        return tl::unexpected(content.error());
    if (std::optional<OdsContentIndex> index = indexOdsContent(*content)) {
        auto indexed = std::make_shared<OdsIndexedContent>(OdsIndexedContent{std::move(*content), std::move(*index)});
        return std::make_unique<OdsWorkbook>(std::move(indexed));
    }
    auto sheets = parseOdsContent(*content);
    if (!sheets)
        return tl::unexpected(sheets.error());
    return std::make_unique<OdsWorkbook>(std::move(*sheets));
}

} // namespace

Expected<std::unique_ptr<Workbook>> openOds(std::string bytes)
{
    try {
        auto zip = ZipArchive::open(std::move(bytes));
        if (!zip)
            return tl::unexpected(zip.error());
        return openPackage(*zip);
    } catch (const std::exception& error) { // out of memory on a hostile file
        return readError(ReadErrorCode::TooLarge, std::string("ods: ") + error.what());
    }
}

} // namespace tesvora::bank
