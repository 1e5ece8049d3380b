#include "FrameRate.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<Rational, 5> kFilmAndVideoRates{
    {{24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}}};
constexpr std::array<Rational, 3> kFieldRates{{{50, 1}, {60000, 1001}, {60, 1}}};

bool IsWholeMultiple(Rational rate, Rational of) {
    // rate / of = (rate.num * of.den) / (rate.den * of.num)
    const int64_t top = rate.num * of.den;
    const int64_t bottom = rate.den * of.num;
    return bottom != 0 && top % bottom == 0;
}

}  // namespace

std::optional<Rational> ForcedFrameRate(int index) {
    if (index < 1 || index > int(kFilmAndVideoRates.size())) return std::nullopt;
    return kFilmAndVideoRates[std::size_t(index - 1)];
}

Rational ChooseFrameRate(Rational input) {
    for (const Rational& rate : kFilmAndVideoRates)
        if (rate == input) return rate;
    for (const Rational& rate : kFieldRates)
        if (rate == input) return rate;
    for (const Rational& rate : kFilmAndVideoRates)
        if (IsWholeMultiple(rate, input)) return rate;
    Rational nearest = kFilmAndVideoRates.front();
    for (const Rational& rate : kFilmAndVideoRates)
        if (std::abs(rate.Value() - input.Value()) < std::abs(nearest.Value() - input.Value()))
            nearest = rate;
    return nearest;
}
