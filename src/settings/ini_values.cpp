#include "settings/ini_values.h"

#include "base/native_path.h"

#include <QStringEncoder>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace brookhum::settings {

namespace {

bool isHexDigit(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value of one digit in base 8 or 16, or -1.
int digitValue(char c, int base)
{
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

char hexDigit(uint value)
{
    return "0123456789ABCDEF"[value & 0xF];
}

// The character a backslash and `c` stand for, or 0 when they are no simple
// escape.
char simpleEscape(char c)
{
    switch (c) {
    case 'a': return '\a';
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\': return c;
    default: return 0;
    }
}

QByteArray escapedString(const QString &text)
{
    // Byte arrays and streamed values are kept in Latin-1 with every byte
    // above 0x7E escaped; other texts go out as UTF-8.
    const bool utf8 = !(text.startsWith(u"@ByteArray("_s) || text.startsWith(u"@Variant("_s)
                        || text.startsWith(u"@DateTime("_s));
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    QByteArray result;
    bool needsQuotes = false;
    // After a numeric escape a following hex digit would join it.
    bool escapeNextIfDigit = false;
    for (const QChar &qc : text) {
        const char16_t c = qc.unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(c)) {
            result += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case '\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a': result += "\\a"; break;
        case '\b': result += "\\b"; break;
        case '\f': result += "\\f"; break;
        case '\n': result += "\\n"; break;
        case '\r': result += "\\r"; break;
        case '\t': result += "\\t"; break;
        case '\v': result += "\\v"; break;
        case '"':
        case '\\':
            result += '\\';
            result += static_cast<char>(c);
            break;
        default:
            if (c <= 0x1F || (c >= 0x7F && !utf8)) {
                result += "\\x" + QByteArray::number(c, 16);
                escapeNextIfDigit = true;
            } else if (utf8) {
                result += QByteArray(toUtf8(QStringView(&qc, 1)));
            } else {
                result += static_cast<char>(c);
            }
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' ')) {
        result.prepend('"');
        result.append('"');
    }
    return result;
}

void chopTrailingSpaces(QString &text, qsizetype limit)
{
    while (text.size() > limit && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
}

// Reads a value text into one string, or into a list when it holds commas
// outside quotes; returns whether it is a list.
bool unescapedStrings(QByteArrayView s, QString &text, QStringList &list)
{
    enum class State { SkipSpaces, Normal, Hex, Octal };
    State state = State::SkipSpaces;
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    char16_t escape = 0;
    qsizetype chopLimit = 0; // spaces before this (escaped or quoted ones) stay
    qsizetype i = 0;
    const qsizetype n = s.size();
    for (;;) {
        if (state == State::SkipSpaces) {
            while (i < n && (s[i] == ' ' || s[i] == '\t'))
                ++i;
            state = State::Normal;
            chopLimit = text.size();
        }
        if (state == State::Hex || state == State::Octal) {
            const int base = state == State::Hex ? 16 : 8;
            if (i >= n) {
                text += QChar(escape);
                break;
            }
            if (const int digit = digitValue(s[i], base); digit >= 0) {
                escape = static_cast<char16_t>(escape * base + digit);
                ++i;
                continue;
            }
            text += QChar(escape);
            state = State::Normal;
            chopLimit = text.size();
            continue;
        }
        if (i >= n) {
            if (!quoted)
                chopTrailingSpaces(text, chopLimit);
            break;
        }
        const char c = s[i];
        if (c == '\\') {
            if (++i >= n)
                break;
            const char e = s[i++];
            if (const char plain = simpleEscape(e)) {
                text += QLatin1Char(plain);
            } else if (e == 'x') {
                escape = 0;
                if (i >= n)
                    break;
                if (digitValue(s[i], 16) >= 0) {
                    state = State::Hex;
                    continue;
                }
            } else if (const int digit = digitValue(e, 8); digit >= 0) {
                escape = static_cast<char16_t>(digit);
                state = State::Octal;
                continue;
            } else if ((e == '\n' || e == '\r') && i < n && (s[i] == '\n' || s[i] == '\r') && s[i] != e) {
                ++i; // an escaped line break of two characters
            }
            // Any other escaped character is dropped.
            chopLimit = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                state = State::SkipSpaces;
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingSpaces(text, chopLimit);
            if (!isList) {
                isList = true;
                list.clear();
            }
            list.append(text);
            text.clear();
            quoted = false;
            ++i;
            state = State::SkipSpaces;
        } else {
            qsizetype j = i + 1;
            while (j < n && s[j] != '\\' && s[j] != '"' && s[j] != ',')
                ++j;
            text += pathFromNative(s.sliced(i, j - i));
            i = j;
        }
    }
    if (isList)
        list.append(text);
    return isList;
}

// A value Qt spells "@Type(...)": a byte array, a text with a NUL, or what Qt
// streams or spells as geometry, which no value of ours is and which reads as
// none here.
QVariant typedValue(const QString &s)
{
    if (!s.startsWith(u'@'))
        return s;
    if (s.startsWith(u"@@"_s))
        return s.sliced(1);
    if (s.endsWith(u')')) {
        if (s.startsWith(u"@ByteArray("_s))
            return s.sliced(11, s.size() - 12).toLatin1();
        if (s.startsWith(u"@String("_s))
            return s.sliced(8, s.size() - 9);
        if (s == u"@Invalid()"_s)
            return {};
        for (const QString &type : {u"@Variant("_s, u"@DateTime("_s, u"@Rect("_s, u"@Size("_s, u"@Point("_s}) {
            if (s.startsWith(type))
                return {};
        }
    }
    return s;
}

QVariant listValue(QStringList items)
{
    for (QString &item : items) {
        if (item.startsWith(u"@@"_s))
            item.remove(0, 1);
        else if (item.startsWith(u'@'))
            return {}; // a list of typed values
    }
    return items;
}

} // namespace

QByteArray escapedKey(const QString &key)
{
    QByteArray result;
    for (const QChar &qc : key) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            result += '\\';
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_'
                   || c == u'-' || c == u'.') {
            result += static_cast<char>(c);
        } else if (c <= 0xFF) {
            result += '%';
            result += hexDigit(c >> 4);
            result += hexDigit(c);
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += hexDigit(static_cast<uint>(c >> shift));
        }
    }
    return result;
}

QString unescapedKey(QByteArrayView bytes)
{
    const QString text = pathFromNative(bytes);
    QString key;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (c != u'%' || i == text.size() - 1) {
            key += c;
            ++i;
            continue;
        }
        const bool wide = text[i + 1] == u'U';
        const qsizetype first = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = first + digits <= text.size();
        const ushort code = ok ? QStringView(text).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            key += u'%';
            ++i;
            continue;
        }
        key += QChar(code);
        i = first + digits;
    }
    return key;
}

QByteArray escapedValue(const QVariant &value)
{
    if (value.metaType().id() == QMetaType::QByteArray)
        return escapedString(u"@ByteArray("_s + QString::fromLatin1(value.toByteArray()) + u')');
    QString text = value.toString();
    // Qt spells a text that holds a NUL so, and reads it back so.
    if (text.contains(QChar::Null))
        text = u"@String("_s + text + u')';
    else if (text.startsWith(u'@'))
        text.prepend(u'@');
    return escapedString(text);
}

QVariant unescapedValue(QByteArrayView bytes)
{
    QString text;
    QStringList list;
    return unescapedStrings(bytes, text, list) ? listValue(list) : typedValue(text);
}

std::optional<QString> textOf(const QVariant &value)
{
    if (!value.isValid())
        return std::nullopt;
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    if (value.metaType().id() == QMetaType::QByteArray)
        return pathFromNative(value.toByteArray());
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

QVariant storedForm(const QString &text)
{
    if (hasForeignBytes(text))
        return nativePath(text);
    return text;
}

} // namespace brookhum::settings
