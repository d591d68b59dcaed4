// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#pragma once

#include <QChar>
#include <array>

// The single-byte character set whose codes (0-255) the shift works on: the platform's ANSI set.
class SingleByteSet
{
public:
    // ISO 8859-1: code n is U+00n.
    static const SingleByteSet &latin1();
    // Windows-1252, the ANSI set of Western Windows; its five unassigned codes stand for themselves, as
    // Windows converts them.
    static const SingleByteSet &windows1252();

    explicit SingleByteSet(const std::array<char16_t, 256> &characters) : m_characters(characters) {}

    QChar character(int code) const { return QChar(m_characters[code & 0xFF]); }
    // The code of a character, or -1 for one outside the set.
    int code(char16_t character) const;

private:
    std::array<char16_t, 256> m_characters;
};
