#include "XmlParser.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <expat.h>

namespace tesvora::bank {

void XmlHandler::fail(ReadError error)
{
    if (!m_failed)
        m_failure = std::move(error);
    m_failed = true;
}

namespace {

struct ParseState {
    XML_Parser parser;
    XmlHandler& handler;
    int depth = 0;
    bool doctype = false;
};

void haltIfDone(ParseState& state)
{
    if (state.handler.stopped() || state.handler.failed())
        XML_StopParser(state.parser, XML_FALSE);
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto& state = *static_cast<ParseState*>(data);
    if (++state.depth > kMaxXmlDepth) {
        state.handler.fail({ReadErrorCode::Corrupt, "xml: nesting deeper than " + std::to_string(kMaxXmlDepth)});
    } else {
        state.handler.start(name, attributes);
    }
    haltIfDone(state);
}

void XMLCALL onEnd(void* data, const XML_Char* name)
{
    auto& state = *static_cast<ParseState*>(data);
    --state.depth;
    state.handler.end(name);
    haltIfDone(state);
}

void XMLCALL onText(void* data, const XML_Char* text, int length)
{
    auto& state = *static_cast<ParseState*>(data);
    state.handler.text(std::string_view(text, size_t(length)));
    haltIfDone(state);
}

// A document type may declare entities that expand without bound; no workbook part needs one.
void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    auto& state = *static_cast<ParseState*>(data);
    state.doctype = true;
    XML_StopParser(state.parser, XML_FALSE);
}

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

} // namespace

Expected<void> parseXml(std::string_view xml, XmlHandler& handler, std::string_view what)
{
    return parseXml({xml}, handler, what);
}

Expected<void> parseXml(std::initializer_list<std::string_view> pieces, XmlHandler& handler, std::string_view what)
{
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreateNS(nullptr, '|'));
    if (!parser)
        return readError(ReadErrorCode::TooLarge, "xml: out of memory");
    ParseState state{parser.get(), handler};
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    XML_SetStartDoctypeDeclHandler(parser.get(), onDoctype);
    // Fed in slices so that a part past 2 GiB cannot overflow expat's int length.
    constexpr size_t kSlice = size_t(1) << 24;
    XML_Status status = XML_STATUS_OK;
    for (std::string_view xml : pieces) {
        for (size_t at = 0; status == XML_STATUS_OK && at < xml.size(); at += kSlice) {
            const size_t length = std::min(kSlice, xml.size() - at);
            status = XML_Parse(parser.get(), xml.data() + at, int(length), XML_FALSE);
        }
    }
    if (status == XML_STATUS_OK)
        status = XML_Parse(parser.get(), "", 0, XML_TRUE);
    if (handler.failed())
        return tl::unexpected(handler.failure());
    if (state.doctype)
        return readError(ReadErrorCode::Corrupt, std::string(what) + ": document type declarations are refused");
    if (handler.stopped())
        return {};
    if (status != XML_STATUS_OK) {
        const XML_Error code = XML_GetErrorCode(parser.get());
        return readError(ReadErrorCode::Corrupt, std::string(what) + ": " + XML_ErrorString(code) + " at line " +
                                                     std::to_string(XML_GetCurrentLineNumber(parser.get())));
    }
    return {};
}

std::string_view localName(std::string_view name)
{
    const size_t bar = name.rfind('|');
    return bar == std::string_view::npos ? name : name.substr(bar + 1);
}

const char* findAttribute(const char** attributes, std::string_view name)
{
    for (; attributes != nullptr && attributes[0] != nullptr; attributes += 2) {
        if (name == attributes[0])
            return attributes[1];
    }
    return nullptr;
}

void appendCapped(std::string& out, std::string_view data, size_t cap)
{
    if (out.size() >= cap)
        return;
    if (out.size() + data.size() > cap) {
        size_t keep = cap - out.size();
        while (keep > 0 && (static_cast<unsigned char>(data[keep]) & 0xC0) == 0x80)
            --keep; // do not split a UTF-8 character
        data = data.substr(0, keep);
    }
    out.append(data);
}

} // namespace tesvora::bank
