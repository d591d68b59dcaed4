#include "settings/scramble.h"

namespace modHelp {

namespace {
constexpr int ShiftWidth = 85;

QString shifted(QStringView text, int by)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        // A character beyond the 16-bit range is one character, so it becomes one '?', not two.
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        const int code = unit <= 0xFF ? unit : u'?';
        result.append(QChar(char16_t((code + by) & 0xFF)));
    }
    return result;
}
} // namespace

QString ScrambleText(const QString &text)
{
    return shifted(text, ShiftWidth);
}

QString UnscrambleText(const QString &text)
{
    return shifted(text, 256 - ShiftWidth);
}

} // namespace modHelp
