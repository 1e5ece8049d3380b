#pragma once

#include "CAppSettings.h"

#include <span>

// A dialog's yes/no choice kept between runs in an integer setting of its own.
template <class Choices>
struct ChoiceFlag {
    int CAppSettings::*stored;
    bool Choices::*chosen;
};

template <class Choices>
void RecallFlags(std::span<const ChoiceFlag<Choices>> flags, const CAppSettings& stored, Choices& choices) {
    for (const ChoiceFlag<Choices>& flag : flags) choices.*flag.chosen = stored.*flag.stored != 0;
}

template <class Choices>
void RememberFlags(std::span<const ChoiceFlag<Choices>> flags, const Choices& choices, CAppSettings& stored) {
    for (const ChoiceFlag<Choices>& flag : flags) stored.*flag.stored = choices.*flag.chosen ? 1 : 0;
}
