#include "XlsStringTable.h"

#include <cstddef>
#include <cstdint>

namespace tesvora::bank {

namespace {

// Reads through the segments; a string's characters resume in a CONTINUE record after one byte
// giving their width again, everything else simply runs on.
class SegmentCursor {
public:
    explicit SegmentCursor(const std::vector<std::string_view>& segments)
        : m_segments(segments)
    {
    }

    size_t left() const { return m_segment < m_segments.size() ? m_segments[m_segment].size() - m_at : 0; }

    // Steps to the next segment when this one is used up; false at the very end.
    bool ensureData()
    {
        while (m_segment < m_segments.size() && left() == 0)
            ++m_segment, m_at = 0;
        return m_segment < m_segments.size();
    }

    bool read(size_t size, uint32_t* value = nullptr)
    {
        uint32_t result = 0;
        for (size_t i = 0; i < size; ++i) {
            if (!ensureData())
                return false;
            result |= uint32_t(uint8_t(m_segments[m_segment][m_at++])) << (8 * i);
        }
        if (value)
            *value = result;
        return true;
    }

    bool skip(uint64_t size)
    {
        while (size > 0) {
            if (!ensureData())
                return false;
            const size_t step = size_t(std::min<uint64_t>(size, left()));
            m_at += step, size -= step;
        }
        return true;
    }

    // `count` characters of width 1 or 2, taking a new width byte at each segment boundary.
    bool skipChars(uint32_t count, bool wide)
    {
        while (count > 0) {
            if (left() == 0) {
                uint32_t flags = 0;
                if (!ensureData() || !read(1, &flags))
                    return false;
                wide = flags & 1;
            }
            const size_t width = wide ? 2 : 1;
            const size_t take = std::min<size_t>(count, left() / width);
            if (take == 0)
                return false; // half a character
            m_at += take * width, count -= uint32_t(take);
        }
        return true;
    }

private:
    const std::vector<std::string_view>& m_segments;
    size_t m_segment = 0;
    size_t m_at = 0;
};

bool stringFits(SegmentCursor& cursor)
{
    uint32_t count = 0, flags = 0, runs = 0, extension = 0;
    if (!cursor.read(2, &count) || !cursor.read(1, &flags))
        return false;
    if ((flags & 0x08) && !cursor.read(2, &runs))
        return false;
    if ((flags & 0x04) && !cursor.read(4, &extension))
        return false;
    return cursor.skipChars(count, flags & 1) && cursor.skip(uint64_t(runs) * 4 + extension);
}

} // namespace

bool sharedStringsFit(const std::vector<std::string_view>& segments)
{
    SegmentCursor cursor(segments);
    uint32_t total = 0, unique = 0;
    if (!cursor.read(4, &total) || !cursor.read(4, &unique))
        return false;
    for (uint32_t i = 0; i < unique; ++i) {
        if (!stringFits(cursor))
            return false;
    }
    return true;
}

} // namespace tesvora::bank
