#include <memory>

#include "Readers.h"
#include "XlsxSheet.h"
#include "ZipArchive.h"

namespace tesvora::bank {

namespace {

struct XlsxPackage {
    std::string workbookPart;
    std::vector<XlsxRelation> relations; // of the workbook part
};

std::string relationsPartOf(const std::string& part)
{
    const size_t slash = part.rfind('/');
    const std::string dir = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    return dir + "_rels/" + part.substr(slash == std::string::npos ? 0 : slash + 1) + ".rels";
}

std::string targetOfType(const std::vector<XlsxRelation>& relations, std::string_view type)
{
    for (const XlsxRelation& relation : relations) {
        if (relation.type == type)
            return relation.target;
    }
    return {};
}

// The workbook part named by the package relationships; Unsupported for a zip that has none.
Expected<std::string> findWorkbookPart(const ZipArchive& zip)
{
    std::string part;
    if (zip.has("_rels/.rels")) {
        auto rels = zip.read("_rels/.rels", kMaxInflatedBytes);
        if (!rels)
            return tl::unexpected(rels.error());
        auto relations = parseRelations(*rels, "");
        if (!relations)
            return tl::unexpected(relations.error());
        part = targetOfType(*relations, "officeDocument");
    }
    if (part.empty() && zip.has("xl/workbook.xml"))
        part = "xl/workbook.xml";
    if (part.empty() || part.ends_with(".bin") || !part.ends_with(".xml"))
        return readError(ReadErrorCode::Unsupported, "zip without a workbook part");
    if (!zip.has(part))
        return readError(ReadErrorCode::Corrupt, "xlsx: missing " + part);
    return part;
}

class XlsxWorkbook final : public Workbook {
public:
    XlsxWorkbook(ZipArchive zip, std::string workbookPart, XlsxWorkbookInfo info, std::vector<XlsxRelation> relations)
        : m_zip(std::move(zip)), m_workbookPart(std::move(workbookPart)), m_info(std::move(info)),
          m_relations(std::move(relations))
    {
        for (const XlsxSheetEntry& sheet : m_info.sheets)
            m_names.push_back(sheet.name);
    }

    const std::vector<std::string>& sheetNames() const override { return m_names; }

    Expected<std::unique_ptr<Sheet>> loadSheet(int index) override
    {
        try {
            return readSheet(index);
        } catch (const std::exception& error) { // out of memory on a hostile file
            return readError(ReadErrorCode::TooLarge, std::string("xlsx: ") + error.what());
        }
    }

private:
    Expected<std::unique_ptr<Sheet>> readSheet(int index)
    {
        if (index < 0 || size_t(index) >= m_info.sheets.size())
            return readError(ReadErrorCode::NoSuchSheet, "xlsx: sheet " + std::to_string(index + 1));
        auto context = sharedContext();
        if (!context)
            return tl::unexpected(context.error());
        const std::string part = partOf(m_info.sheets[size_t(index)].relationId);
        if (part.empty() || !m_zip.has(part))
            return readError(ReadErrorCode::Corrupt, "xlsx: no part for sheet " + m_names[size_t(index)]);
        auto xml = m_zip.read(part, kMaxInflatedBytes);
        if (!xml)
            return tl::unexpected(xml.error());
        return loadXlsxSheet(m_names[size_t(index)], std::move(*xml), *context);
    }

    std::string partOf(const std::string& relationId) const
    {
        for (const XlsxRelation& relation : m_relations) {
            if (relation.id == relationId)
                return relation.target;
        }
        return {};
    }

    // The shared strings and date formats, read on first use.
    Expected<std::shared_ptr<const XlsxContext>> sharedContext();

    ZipArchive m_zip;
    std::string m_workbookPart;
    XlsxWorkbookInfo m_info;
    std::vector<XlsxRelation> m_relations;
    std::vector<std::string> m_names;
    std::shared_ptr<const XlsxContext> m_context;
};

Expected<std::shared_ptr<const XlsxContext>> XlsxWorkbook::sharedContext()
{
    if (m_context)
        return m_context;
    auto context = std::make_shared<XlsxContext>();
    context->date1904 = m_info.date1904;
    const std::string stringsPart = targetOfType(m_relations, "sharedStrings");
    if (!stringsPart.empty() && m_zip.has(stringsPart)) {
        auto xml = m_zip.read(stringsPart, kMaxInflatedBytes);
        auto strings = xml ? SharedStrings::parse(std::move(*xml)) : tl::unexpected(xml.error());
        if (!strings)
            return tl::unexpected(strings.error());
        context->strings = std::move(*strings);
    }
    const std::string stylesPart = targetOfType(m_relations, "styles");
    if (!stylesPart.empty() && m_zip.has(stylesPart)) {
        auto xml = m_zip.read(stylesPart, kMaxInflatedBytes);
        auto styles = xml ? parseDateStyles(*xml) : tl::unexpected(xml.error());
        if (!styles)
            return tl::unexpected(styles.error());
        context->dateStyles = std::move(*styles);
    }
    m_context = std::move(context);
    return m_context;
}

Expected<std::unique_ptr<Workbook>> openPackage(ZipArchive zip)
{
    auto part = findWorkbookPart(zip);
    if (!part)
        return tl::unexpected(part.error());
    auto xml = zip.read(*part, kMaxInflatedBytes);
    auto info = xml ? parseWorkbookPart(*xml) : tl::unexpected(xml.error());
    if (!info)
        return tl::unexpected(info.error());
    if (!info->isWorkbook)
        return readError(ReadErrorCode::Unsupported, "zip whose main part is not a workbook");
    const std::string relsPart = relationsPartOf(*part);
    auto rels = zip.read(relsPart, kMaxInflatedBytes);
    auto relations = rels ? parseRelations(*rels, *part) : tl::unexpected(rels.error());
    if (!relations)
        return tl::unexpected(relations.error());
    return std::make_unique<XlsxWorkbook>(std::move(zip), std::move(*part), std::move(*info), std::move(*relations));
}

} // namespace

Expected<std::unique_ptr<Workbook>> openXlsx(std::string bytes)
{
    try {
        auto zip = ZipArchive::open(std::move(bytes));
        if (!zip)
            return tl::unexpected(zip.error());
        return openPackage(std::move(*zip));
    } catch (const std::exception& error) {
        return readError(ReadErrorCode::TooLarge, std::string("xlsx: ") + error.what());
    }
}

} // namespace tesvora::bank
