#pragma once

#include <cstdint>

namespace tesvora::bank {

// The pseudo-random source questions are drawn from: a linear congruential generator
// (state := state * 214013 + 2531011 mod 2^32) giving bits 16..30 of each new state,
// so a seed always replays the same draws.
class RandomSource {
public:
    // A source seeded with 1 until seed() is called.
    RandomSource() = default;

    // Restarts the sequence from `value`; any 32-bit value is a valid seed.
    void seed(std::uint32_t value) { m_state = value; }

    // The next value of the sequence, always in 0..32767.
    int next();

    // The largest value next() can give.
    static constexpr int kMax = 32767;

private:
    std::uint32_t m_state = 1;
};

} // namespace tesvora::bank
