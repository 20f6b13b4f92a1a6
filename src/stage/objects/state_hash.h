#pragma once
// A fingerprint of everything stage play computes: every object's doubles
// (as bits) and counters in list order, the block map, the scroll, the
// stage state's timers and variables, the progress counters and the random
// generator. Two runs that played alike give the same value; pointers enter
// as the id of the object they point at, never as addresses.
#include <bit>
#include <cstdint>

class cStageState;

class StateHasher {
public:
    void Add(std::int64_t v) {
        for (int i = 0; i < 8; ++i) {
            m_nHash ^= static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) >> (8 * i));
            m_nHash *= 1099511628211ull;
        }
    }
    void Add(double v) { Add(std::bit_cast<std::int64_t>(v)); }
    void Add(int v) { Add(static_cast<std::int64_t>(v)); }
    template <class Range>
    void AddAll(const Range& values) {
        Add(static_cast<std::int64_t>(values.size()));
        for (const auto& v : values) Add(v);
    }
    std::uint64_t Value() const { return m_nHash; }

private:
    std::uint64_t m_nHash = 14695981039346656037ull;
};

std::uint64_t StageStateHash(const cStageState& state);
