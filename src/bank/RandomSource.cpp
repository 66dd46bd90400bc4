#include "RandomSource.h"

namespace tesvora::bank {

int RandomSource::next()
{
    // Unsigned arithmetic wraps modulo 2^32, which is exactly the generator's modulus.
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
}

} // namespace tesvora::bank
