// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/system/singlebyteset.h"

#include <algorithm>
#include <iterator>

namespace {
std::array<char16_t, 256> identity()
{
    std::array<char16_t, 256> characters{};
    for (int code = 0; code < 256; ++code)
        characters[code] = char16_t(code);
    return characters;
}
} // namespace

const SingleByteSet &SingleByteSet::latin1()
{
    static const SingleByteSet set(identity());
    return set;
}

const SingleByteSet &SingleByteSet::windows1252()
{
    static const SingleByteSet set = [] {
        std::array<char16_t, 256> characters = identity();
        constexpr char16_t From0x80[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
            0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
            0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
        };
        std::copy(std::begin(From0x80), std::end(From0x80), characters.begin() + 0x80);
        return SingleByteSet(characters);
    }();
    return set;
}

int SingleByteSet::code(char16_t character) const
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        if (m_characters[character] == character)
            return character;
    }
    for (int code = 0; code < 256; ++code) {
        if (m_characters[code] == character)
            return code;
    }
    return -1;
}
