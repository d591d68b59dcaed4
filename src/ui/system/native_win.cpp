// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "ui/system/native.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <windows.h>

namespace Native {

InstanceGuard::~InstanceGuard()
{
    release();
}

InstanceGuard::Result InstanceGuard::acquire(const QString &application)
{
    release();
    // A named mutex of this logon session: it exists exactly as long as a process holds a handle to it.
    const QString name = QStringLiteral("Local\\Orvena.") + application + QStringLiteral(".instance");
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t *>(name.utf16()));
    if (!mutex)
        return ::GetLastError() == ERROR_ACCESS_DENIED ? Result::HeldByAnother : Result::Unavailable;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return Result::HeldByAnother;
    }
    m_handle = reinterpret_cast<qintptr>(mutex);
    return Result::Held;
}

void InstanceGuard::release()
{
    if (m_handle == -1)
        return;
    ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
}

const SingleByteSet &ansiSet()
{
    static const SingleByteSet set = [] {
        const UINT codePage = ::GetACP();
        CPINFO info = {};
        // A double-byte code page has no one character per code: Windows-1252 stands in.
        if (codePage == 1252 || !::GetCPInfo(codePage, &info) || info.MaxCharSize != 1)
            return SingleByteSet::windows1252();
        std::array<char16_t, 256> characters{};
        for (int code = 0; code < 256; ++code) {
            const char byte = char(code);
            wchar_t character = 0;
            if (::MultiByteToWideChar(codePage, 0, &byte, 1, &character, 1) != 1)
                character = wchar_t(code);
            characters[code] = char16_t(character);
        }
        return SingleByteSet(characters);
    }();
    return set;
}

// A program of the Windows subsystem has no standard error to keep quiet.
QuietStandardError::QuietStandardError() = default;
QuietStandardError::~QuietStandardError() = default;

} // namespace Native
