#pragma once
// The simulation's random numbers: std::mt19937, whose output the standard fixes, turned into
// numbers by arithmetic of our own (the standard library's distributions differ between
// implementations), so a seed gives the same diary everywhere.

#include <cstddef>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

class SimulationRandom {
public:
    explicit SimulationRandom(std::uint32_t seed) : m_engine(seed) {}

    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(m_engine()) / 4294967296.0; }
    bool Chance(double probability) { return Uniform() < probability; }
    // Uniform in 0 .. count - 1; count must be positive.
    std::size_t Index(std::size_t count) {
        return static_cast<std::size_t>(Uniform() * static_cast<double>(count));
    }
    // Roughly normal with mean 0 and standard deviation 1 (a scaled sum of four uniforms).
    double Noise() {
        const double sum = Uniform() + Uniform() + Uniform() + Uniform();
        return (sum - 2.0) * 1.7320508075688772;  // the sum's deviation is 1/sqrt(3)
    }
    template <class T>
    void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[Index(i)]);
    }

private:
    std::mt19937 m_engine;
};
