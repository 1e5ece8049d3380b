#pragma once

#include <cstdint>
#include <optional>

// An exact rate or time base, as libav keeps them, without depending on libav.
struct Rational {
    int64_t num = 0;
    int64_t den = 1;

    double Value() const { return double(num) / double(den); }
    friend bool operator==(const Rational& a, const Rational& b) {
        return a.num * b.den == b.num * a.den;
    }
};

// The rate forced by "-f INDEX", 1..5 = 23.976, 24, 25, 29.97, 30.
std::optional<Rational> ForcedFrameRate(int index);

// The MPEG-1 picture rate that keeps the timing of an input running at INPUT frames per second:
// the input's own rate when MPEG-1 has it, else the smallest of 23.976..30 that is a whole
// multiple of it (so every input frame lasts a whole number of output frames), else the nearest
// of those.
Rational ChooseFrameRate(Rational input);
