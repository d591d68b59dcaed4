// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/updatereminder.h"

#include "settings/scramble.h"
#include "ui/system/rounding.h"
#include "ui/windows/messages.h"
#include "web/links.h"

#include <QDate>
#include <QLocale>
#include <cmath>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace modHelp {

namespace {
const QString SettingsSection = QStringLiteral("Settings");
// ISO dates are written, so that what one locale writes another reads back.
constexpr QStringView DateFormat = u"yyyy-MM-dd";
constexpr qint64 QuietDays = 14;

const QString ReminderText = QStringLiteral("There maybe an update to this software available") + u'\r' +
                             QStringLiteral("Do you want to check for an update?");

// The application name is asked for at every access: an executable under another name has its own entries.
QString readPlain(const QString &scrambledKey)
{
    return UnscrambleText(
        platform().settings().read(platform().applicationName(), SettingsSection, scrambledKey),
        platform().singleByteSet());
}

bool writePlain(const QString &scrambledKey, const QString &value)
{
    return platform().settings().write(platform().applicationName(), SettingsSection, scrambledKey,
                                       ScrambleText(value, platform().singleByteSet()));
}

// The stored day: an ISO date as this program writes it, or a date in the user's short format as an earlier
// Windows version wrote it, read by the locale's rules: with the year in two digits or four, and a year of
// two digits taken from 1950 to 2049, as Windows reads it.
QDate storedDate(const QString &text, const QLocale &locale)
{
    const QDate iso = QDate::fromString(text, DateFormat);
    if (iso.isValid())
        return iso;
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    QString fourDigits = shortFormat;
    if (!fourDigits.contains(u"yyyy"))
        fourDigits.replace(u"yy"_s, u"yyyy"_s);
    QString twoDigits = fourDigits;
    twoDigits.replace(u"yyyy"_s, u"yy"_s);
    const QDate full = locale.toDate(text, fourDigits);
    if (full.isValid())
        return full;
    const QDate twentieth = locale.toDate(text, twoDigits); // Qt reads two digits as 19xx
    return twentieth.isValid() && twentieth.year() < 1950 ? twentieth.addYears(100) : twentieth;
}

// The stored count as a whole number without sign, or nothing when the text is no number this program
// could have written (absent, damaged, or beyond a 32-bit count).
std::optional<qint32> installCount(const QString &text)
{
    bool ok = false;
    double value = platform().locale().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double count = std::abs(roundHalfToEven(value));
    if (count > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(count);
}
} // namespace

void UpdateReminder()
{
    const QString durationKey = ScrambleText(QStringLiteral("Duration"), platform().singleByteSet());
    const QString installKey = ScrambleText(QStringLiteral("Install"), platform().singleByteSet());
    // What is written must read back: a clock outside four-digit years gives no date to keep.
    const QDate today = platform().today();
    if (!today.isValid() || today.year() < 1 || today.year() > 9999)
        return;
    const QString todayText = today.toString(DateFormat);

    // A Duration nobody can read as a date would otherwise silence the reminder for good: start afresh.
    const QDate stored = storedDate(readPlain(durationKey), platform().locale());
    if (!stored.isValid()) {
        if (!writePlain(installKey, QStringLiteral("1")))
            return;
        (void)writePlain(durationKey, todayText); // a failure here only makes the next start a first run
        return;
    }

    const qint64 days = today.daysTo(stored);
    if (days >= -QuietDays && days <= QuietDays)
        return;

    const MessageAnswer answer = askYesNo(ReminderText, MessageIcon::Information, MessageAnswer::Yes);

    // An unreadable count would otherwise bring the question back at every start with no effect.
    const qint32 count = installCount(readPlain(installKey)).value_or(1);
    // The answer counts even where the store refuses to keep it: the question then simply comes back.
    if (writePlain(installKey, QString::number(count)))
        (void)writePlain(durationKey, todayText);
    if (answer == MessageAnswer::Yes)
        OpenDownloadPage();
}

} // namespace modHelp
