#pragma once
// The linear congruential generator every starting weight is drawn from. Its exact sequence
// matters: trained networks stored in diary files depend on it.

#include <cstdint>

class PseudoRandom {
public:
    static constexpr std::uint32_t WeightSeed = 12345;

    explicit PseudoRandom(std::uint32_t seed = WeightSeed) : m_state(seed) {}

    void Seed(std::uint32_t seed) { m_state = seed; }

    // A value in 0..32767.
    int Draw() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFFu);
    }

    // A starting weight in -0.5..0.4999999, computed in double and stored as float.
    float DrawWeight() { return WeightFromDraw(Draw()); }

    static float WeightFromDraw(int draw) {
        return static_cast<float>(static_cast<double>(draw) * 3.0518507e-05 - 0.5);
    }

private:
    std::uint32_t m_state;
};
