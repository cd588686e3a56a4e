#include "random.h"

#include <chrono>
#include <random>

namespace tw {

namespace {
uint64_t splitmix64(uint64_t x)
{
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}
} // namespace

float RandomSource::Next()
{
    // 64-bit LCG step, output the well-mixed high bits.
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    const uint32_t bits = static_cast<uint32_t>(splitmix64(state_) >> 40); // 24 bits
    return static_cast<float>(bits) / 16777216.0f;
}

float RandomSource::Next(int32_t reset)
{
    if (reset < 0)
        state_ = splitmix64(0x7a3d5c1e00000000ull ^ static_cast<uint32_t>(reset));
    return Next();
}

void RandomSource::Randomize(uint64_t seed) { state_ = splitmix64(state_ ^ splitmix64(seed ^ 0x2545f4914f6cdd1dull)); }

void RandomSource::Randomize()
{
    std::random_device rd;
    const uint64_t t = static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    Randomize(t ^ (static_cast<uint64_t>(rd()) << 32) ^ rd());
}

} // namespace tw
