#pragma once

#include <cstdint>

namespace tw {

// The pseudo-random source behind the shuffle, the random-pile deal and the
// random game numbers. Integer arithmetic only, so a game number deals the same
// cards on every machine and with every compiler.
class RandomSource {
public:
    // Next draw: a single-precision value v with 0 <= v < 1 (24 random bits,
    // so v times any small count is exact in double precision).
    float Next();

    // A negative argument resets the generator to a state fixed by that
    // argument alone; the returned draw is not meant to be used.
    float Next(int32_t reset);

    // Mixes a seed into the current state (it does not replace it, so seeding
    // the same number before every draw still gives a changing sequence).
    void Randomize(uint64_t seed);

    // Seeds from the clock and the system's entropy.
    void Randomize();

private:
    uint64_t state_ = 0x853c49e6748fea9bull;
};

} // namespace tw
