#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

// Number helpers shared by every layer. Scores, coordinates and counts follow
// fixed rules (16-bit values, halves rounded to the even neighbour), so they
// live in one place instead of being re-derived at each call site.
namespace tw {

// Nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Independent of the floating-point environment.
inline double roundHalfEven(double v)
{
    const double fl = std::floor(v);
    const double diff = v - fl;
    if (diff > 0.5)
        return fl + 1.0;
    if (diff < 0.5)
        return fl;
    return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

// Raised where a value must fit 16 bits and does not.
class Overflow16 : public std::overflow_error {
public:
    Overflow16() : std::overflow_error("16-bit overflow") {}
};

inline bool fits16(long long v)
{
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

// Narrowing that refuses to wrap: an out-of-range value is an error.
inline int16_t checked16(long long v)
{
    if (!fits16(v))
        throw Overflow16();
    return static_cast<int16_t>(v);
}

// Narrowing that saturates: used where the value is shown and recorded and a
// clamped figure is better than losing the game.
inline int16_t clamp16(long long v)
{
    if (v < std::numeric_limits<int16_t>::min())
        return std::numeric_limits<int16_t>::min();
    if (v > std::numeric_limits<int16_t>::max())
        return std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(v);
}

inline int32_t clamp32(long long v)
{
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

// A double rounded half to even into 16 bits; NaN or out of range throws.
inline int16_t round16(double v)
{
    const double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw Overflow16();
    return static_cast<int16_t>(r);
}

inline int16_t roundClamp16(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = roundHalfEven(v);
    if (r < -32768.0)
        return std::numeric_limits<int16_t>::min();
    if (r > 32767.0)
        return std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(r);
}

// The table is measured in twips; one screen pixel (at scale 1) is 15 twips.
inline constexpr int TwipsPerPixel = 15;
inline constexpr int CardWidth = 1065;  // 71 px
inline constexpr int CardHeight = 1440; // 96 px

inline double twipsToPixels(double twips) { return twips / TwipsPerPixel; }
// The whole pixel a table measure falls on, a half to the even one.
inline int twipsToPx(double twips) { return static_cast<int>(roundHalfEven(twips / TwipsPerPixel)); }
inline double pixelsToTwips(double px) { return px * TwipsPerPixel; }

// A point packed into 32 bits: x in the low word, y in the high word.
inline int32_t MakeCoord(int16_t x, int16_t y)
{
    const uint32_t packed =
        static_cast<uint32_t>(static_cast<uint16_t>(x)) | (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16);
    return static_cast<int32_t>(packed);
}
inline int16_t CoordX(int32_t c) { return static_cast<int16_t>(static_cast<uint32_t>(c) & 0xFFFFu); }
inline int16_t CoordY(int32_t c) { return static_cast<int16_t>(static_cast<uint32_t>(c) >> 16); }

} // namespace tw
