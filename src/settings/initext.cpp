// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "settings/initext.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <optional>

namespace IniText {

namespace {
constexpr char HexDigits[] = "0123456789ABCDEF";

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// Names: letters, digits, '_', '-' and '.' as they are, other codes up to 255 as %XX, beyond as %UXXXX.
QByteArray escapedName(const QString &name)
{
    QByteArray result;
    for (const QChar qc : name) {
        const char16_t c = qc.unicode();
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
            c == '-' || c == '.') {
            result += char(c);
        } else if (c <= 0xFF) {
            result += '%';
            result += HexDigits[c >> 4];
            result += HexDigits[c & 0xF];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += HexDigits[(c >> shift) & 0xF];
        }
    }
    return result;
}

QString unescapedName(QByteArrayView bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QString result;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        const qsizetype digitsAt = i + 1 + (i + 1 < text.size() && text.at(i + 1) == u'U' ? 1 : 0);
        const qsizetype digits = digitsAt > i + 1 ? 4 : 2;
        bool ok = false;
        const ushort code = c == u'%' && digitsAt + digits <= text.size()
                                ? QStringView(text).sliced(digitsAt, digits).toUShort(&ok, 16)
                                : 0;
        if (!ok) {
            result += c;
            ++i;
            continue;
        }
        result += QChar(code);
        i = digitsAt + digits;
    }
    return result;
}

// A text value: quoted when it holds a separator or blanks at either end, control codes escaped, the rest
// as UTF-8. Texts that would read as another type are marked, as QSettings marks them.
QByteArray escapedValue(QString text)
{
    if (text.contains(QChar::Null))
        text = QStringLiteral("@String(") + text + u')';
    else if (text.startsWith(u'@'))
        text.prepend(u'@');

    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    for (const QChar qc : std::as_const(text)) {
        const char16_t c = qc.unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && c < 0x80 && isHex(char(c))) {
            result += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        static constexpr std::array<std::pair<char16_t, const char *>, 9> Escapes{{
            {u'\0', "\\0"},
            {u'\a', "\\a"},
            {u'\b', "\\b"},
            {u'\f', "\\f"},
            {u'\n', "\\n"},
            {u'\r', "\\r"},
            {u'\t', "\\t"},
            {u'\v', "\\v"},
            {u'"', "\\\""},
        }};
        const auto escape =
            std::find_if(Escapes.begin(), Escapes.end(), [c](auto &e) { return e.first == c; });
        if (escape != Escapes.end()) {
            result += escape->second;
            escapeNextIfDigit = c == u'\0';
        } else if (c == u'\\') {
            result += "\\\\";
        } else if (c <= 0x1F) {
            result += "\\x" + QByteArray::number(c, 16);
            escapeNextIfDigit = true;
        } else {
            result += toUtf8(QStringView(&qc, 1));
        }
    }
    if (needsQuotes || (!result.isEmpty() && (result.front() == ' ' || result.back() == ' ')))
        result = '"' + result + '"';
    return result;
}

void chopTrailingBlanks(QString &text, qsizetype limit)
{
    while (text.size() > limit && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
}

// The text a value stands for; nothing for a list.
std::optional<QString> unescapedValue(QByteArrayView bytes)
{
    static constexpr std::array<std::pair<char, char>, 11> Escapes{{
        {'a', '\a'},
        {'b', '\b'},
        {'f', '\f'},
        {'n', '\n'},
        {'r', '\r'},
        {'t', '\t'},
        {'v', '\v'},
        {'"', '"'},
        {'?', '?'},
        {'\'', '\''},
        {'\\', '\\'},
    }};
    QString result;
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    bool inQuotes = false;
    bool quoted = false;
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    auto skipBlanks = [&] {
        while (i < n && (bytes[i] == ' ' || bytes[i] == '\t'))
            ++i;
    };
    // Read a run of escaped digits of one base; the code they give is appended.
    auto readCode = [&](int base, char16_t code) {
        while (i < n && (base == 16 ? isHex(bytes[i]) : (bytes[i] >= '0' && bytes[i] <= '7')))
            code = char16_t(code * base + hexValue(bytes[i++]));
        result += QChar(code);
    };

    skipBlanks();
    qsizetype chopLimit = 0;
    while (i < n) {
        const char c = bytes[i];
        if (c == '\\') {
            if (++i >= n)
                break;
            const char next = bytes[i++];
            const auto escape =
                std::find_if(Escapes.begin(), Escapes.end(), [next](auto &e) { return e.first == next; });
            if (escape != Escapes.end())
                result += QLatin1Char(escape->second);
            else if (next == 'x' && i < n && isHex(bytes[i]))
                readCode(16, 0);
            else if (next >= '0' && next <= '7')
                readCode(8, char16_t(next - '0'));
            chopLimit = result.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = result.size();
            }
        } else if (c == ',' && !inQuotes) {
            return std::nullopt;
        } else {
            qsizetype end = i + 1;
            while (end < n && bytes[end] != '\\' && bytes[end] != '"' && bytes[end] != ',')
                ++end;
            result += fromUtf8(bytes.sliced(i, end - i));
            i = end;
        }
    }
    if (!quoted)
        chopTrailingBlanks(result, chopLimit);

    if (!result.startsWith(u'@'))
        return result;
    if (result.startsWith(u"@String(") && result.endsWith(u')'))
        return result.sliced(8).chopped(1);
    if (result.startsWith(u"@@"))
        return result.sliced(1);
    for (const char16_t *typed :
         {u"@ByteArray(", u"@Variant(", u"@DateTime(", u"@Rect(", u"@Size(", u"@Point("}) {
        if (result.startsWith(typed) && result.endsWith(u')'))
            return std::nullopt;
    }
    if (result == u"@Invalid()")
        return std::nullopt;
    return result;
}

struct Line
{
    qsizetype start = 0;
    qsizetype end = 0; // before the line break
};

// The lines of the file; a CR before the LF belongs to the break. A byte-order mark is no part of a line.
QList<Line> linesOf(QByteArrayView file)
{
    QList<Line> lines;
    qsizetype start = file.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < file.size()) {
        qsizetype feed = file.indexOf('\n', start);
        const qsizetype next = feed < 0 ? file.size() : feed + 1;
        if (feed < 0)
            feed = file.size();
        const qsizetype end = feed > start && file[feed - 1] == '\r' ? feed - 1 : feed;
        lines.append({start, end});
        start = next;
    }
    return lines;
}

// What one line is: a section header, an entry, or anything else (blank, comment, foreign bytes).
struct Reading
{
    std::optional<QString> section;
    std::optional<QString> key;
    QByteArrayView value;
};

Reading read(QByteArrayView line)
{
    const QByteArrayView trimmed = line.trimmed();
    if (trimmed.startsWith('[')) {
        const qsizetype close = trimmed.indexOf(']');
        return {unescapedName(trimmed.sliced(1, (close < 0 ? trimmed.size() : close) - 1).trimmed()), {}, {}};
    }
    const qsizetype equals = trimmed.indexOf('=');
    if (trimmed.startsWith(';') || equals <= 0)
        return {};
    return {{}, unescapedName(trimmed.first(equals).trimmed()), trimmed.sliced(equals + 1)};
}

// Where the entry lies (the line of its last occurrence) and where the last such section ends.
struct Place
{
    qsizetype entry = -1;
    qsizetype sectionEnd = -1; // the last non-blank line of the last matching section
};

Place find(QByteArrayView file, const QList<Line> &lines, const QString &section, const QString &key)
{
    Place place;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView text = file.sliced(lines[i].start, lines[i].end - lines[i].start);
        const Reading reading = read(text);
        if (reading.section) {
            inSection = *reading.section == section;
            if (inSection)
                place.sectionEnd = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!text.trimmed().isEmpty())
            place.sectionEnd = i;
        if (reading.key && *reading.key == key)
            place.entry = i;
    }
    return place;
}
} // namespace

QString value(QByteArrayView file, const QString &section, const QString &key)
{
    const QList<Line> lines = linesOf(file);
    const Place place = find(file, lines, section, key);
    if (place.entry < 0)
        return {};
    const Line &line = lines[place.entry];
    return unescapedValue(read(file.sliced(line.start, line.end - line.start)).value).value_or(QString());
}

QByteArray withValue(QByteArrayView file, const QString &section, const QString &key, const QString &value)
{
    const QList<Line> lines = linesOf(file);
    const Place place = find(file, lines, section, key);
    const QByteArray entry = escapedName(key) + '=' + escapedValue(value);
    const qsizetype firstFeed = file.indexOf('\n');
    const QByteArray lineBreak = firstFeed > 0 && file[firstFeed - 1] == '\r' ? "\r\n" : "\n";

    QByteArray result = file.toByteArray();
    if (place.entry >= 0) {
        const Line &line = lines[place.entry];
        return result.replace(line.start, line.end - line.start, entry);
    }
    if (place.sectionEnd >= 0)
        return result.insert(lines[place.sectionEnd].end, lineBreak + entry);
    if (!result.isEmpty() && !result.endsWith('\n'))
        result += lineBreak;
    if (!lines.isEmpty())
        result += lineBreak;
    return result + '[' + escapedName(section) + ']' + lineBreak + entry + lineBreak;
}

} // namespace IniText
