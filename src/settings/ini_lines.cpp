#include "settings/ini_lines.h"

#include "base/native_path.h"
#include "settings/ini_values.h"

using namespace Qt::StringLiterals;

namespace brookhum::settings {

namespace {

bool isUtf8(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return !hasForeignBytes(pathFromNative(bytes));
    }
    return true;
}

QString sectionName(QByteArrayView name)
{
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return {};
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1));
    return unescapedKey(name);
}

// Reads one physical line the way Qt's INI reader does: a backslash escapes
// the next character (and at the end of a line joins the next one), a double
// quote opens or closes a quoted stretch (in which a line break does not end
// the value), and a semicolon outside quotes starts a comment.
IniLine classify(QByteArrayView bytes)
{
    using Kind = IniLine::Kind;
    using Problem = IniLine::Problem;
    IniLine line;
    line.bytes = bytes;
    line.end = bytes.size();
    qsizetype start = 0;
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t'))
        ++start;
    if (start == bytes.size())
        return line;
    if (bytes[start] == ';') {
        line.kind = Kind::Comment;
        return line;
    }
    line.kind = Kind::Unreadable;
    if (bytes.contains('\0')) {
        line.problem = Problem::Nul;
        return line;
    }
    bool inQuotes = false;
    for (qsizetype i = start; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\\') {
            if (++i == bytes.size()) {
                line.problem = Problem::TrailingBackslash;
                return line;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';' && !inQuotes) {
            line.end = i;
            break;
        } else if (c == '=' && !inQuotes && line.equals < 0) {
            line.equals = i;
        }
    }
    if (inQuotes) {
        line.problem = Problem::UnclosedQuote;
        return line;
    }
    if (bytes[start] == '[') {
        line.kind = Kind::Section;
        const QByteArrayView text = bytes.first(line.end);
        qsizetype close = text.indexOf(']', start);
        if (close < 0) {
            line.problem = Problem::SectionWithoutBracket;
            close = text.size();
        }
        line.sectionBytes = text.first(close).sliced(start + 1).trimmed();
        line.section = sectionName(line.sectionBytes);
    } else if (line.equals <= start) {
        line.problem = Problem::NoKeyValue;
        return line;
    } else {
        line.kind = Kind::Key;
    }
    if (line.problem == Problem::None && !isUtf8(bytes.first(line.end)))
        line.problem = Problem::ForeignBytes;
    return line;
}

} // namespace

QString problemText(IniLine::Problem problem)
{
    using Problem = IniLine::Problem;
    switch (problem) {
    case Problem::None: break;
    case Problem::Nul: return u"a NUL character"_s;
    case Problem::ForeignBytes: return u"bytes that are not UTF-8"_s;
    case Problem::TrailingBackslash: return u"a backslash at its end, which joins the next line"_s;
    case Problem::UnclosedQuote: return u"an unclosed quote, which joins the following lines"_s;
    case Problem::SectionWithoutBracket: return u"a section name without \"]\""_s;
    case Problem::NoKeyValue: return u"no \"key=value\""_s;
    }
    return {};
}

void forEachIniLine(QByteArrayView text, const std::function<void(int, const IniLine &)> &visit)
{
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    int number = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        // "\r\n" is one line break.
        qsizetype next = end == text.size() ? end : end + 1;
        if (end < text.size() && text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        IniLine line = classify(text.sliced(start, end - start));
        line.lineBreak = text.sliced(end, next - end);
        visit(++number, line);
        start = next;
    }
}

} // namespace brookhum::settings
