#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "ReadError.h"

namespace tesvora::bank {

// Deepest element nesting any reader accepts; real workbooks stay far below it.
inline constexpr int kMaxXmlDepth = 256;

// Receives the events of one XML parse. Names are "namespace-uri|local" for names in a
// namespace and the bare local name otherwise; attributes come as expat's name/value pairs.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void start(std::string_view name, const char** attributes) = 0;
    virtual void end(std::string_view name) = 0;
    virtual void text(std::string_view data) = 0;

    // Ends the parse early as a success (the handler has all it wants).
    void stop() { m_stopped = true; }
    // Ends the parse as a failure with `error`.
    void fail(ReadError error);

    bool stopped() const { return m_stopped; }
    const ReadError& failure() const { return m_failure; }
    bool failed() const { return m_failed; }

private:
    bool m_stopped = false;
    bool m_failed = false;
    ReadError m_failure{ReadErrorCode::Corrupt, {}};
};

// Parses `xml` feeding `handler`. Corrupt for malformed or truncated XML, any DOCTYPE or
// entity declaration (entities are never expanded) and nesting past kMaxXmlDepth;
// the handler's own failure when it calls fail(). `what` names the part in error details.
Expected<void> parseXml(std::string_view xml, XmlHandler& handler, std::string_view what);

// The same over a document given in pieces, parsed as if they were one text in order.
Expected<void> parseXml(std::initializer_list<std::string_view> pieces, XmlHandler& handler, std::string_view what);

// The local part of a name as XmlHandler gets it ("uri|row" and "row" both give "row").
std::string_view localName(std::string_view name);

// The value of attribute `name` (same form as element names), or nullptr when absent.
const char* findAttribute(const char** attributes, std::string_view name);

// Appends `data` to `out` but keeps `out` within `cap` bytes, cutting at a UTF-8 character boundary.
void appendCapped(std::string& out, std::string_view data, size_t cap);

} // namespace tesvora::bank
