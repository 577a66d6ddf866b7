#include "settings/ini_text_check.h"

#include "base/native_path.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace brookhum::settings {

namespace {

enum class LineKind { Blank, Comment, Section, Key, Misread };

struct Line {
    QByteArrayView bytes;
    LineKind kind = LineKind::Blank;
    QString problem;
    qsizetype equals = -1; // position of the key's "=" in bytes
};

bool isValidUtf8(QByteArrayView bytes)
{
    return !hasForeignBytes(pathFromNative(bytes));
}

// Reads one physical line the way Qt's INI reader does: a backslash escapes
// the next character (and at the end of a line joins the next one), a double
// quote opens or closes a quoted stretch (in which a line break does not end
// the value), and a semicolon outside quotes starts a comment.
Line classify(QByteArrayView bytes)
{
    Line line;
    line.bytes = bytes;
    qsizetype start = 0;
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t' || bytes[start] == '\f'))
        ++start;
    if (bytes.contains('\0')) {
        line.kind = LineKind::Misread;
        line.problem = u"a NUL character"_s;
        return line;
    }
    if (!isValidUtf8(bytes)) {
        line.kind = LineKind::Misread;
        line.problem = u"bytes that are not UTF-8"_s;
        return line;
    }
    if (start == bytes.size())
        return line;
    if (bytes[start] == ';') {
        line.kind = LineKind::Comment;
        return line;
    }
    bool inQuotes = false;
    for (qsizetype i = start; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\\') {
            if (++i == bytes.size()) {
                line.kind = LineKind::Misread;
                line.problem = u"a backslash at its end, which joins the next line"_s;
                return line;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';' && !inQuotes) {
            break;
        } else if (c == '=' && !inQuotes && line.equals < 0) {
            line.equals = i;
        }
    }
    if (inQuotes) {
        line.kind = LineKind::Misread;
        line.problem = u"an unclosed quote, which joins the following lines"_s;
    } else if (bytes[start] == '[') {
        line.kind = bytes.indexOf(']', start) > start ? LineKind::Section : LineKind::Misread;
        line.problem = u"a section name without \"]\""_s;
    } else if (line.equals <= start) {
        line.kind = LineKind::Misread;
        line.problem = u"no \"key=value\""_s;
    } else {
        line.kind = LineKind::Key;
    }
    return line;
}

template <typename Visit>
void forEachLine(QByteArrayView text, Visit visit)
{
    // A byte order mark is allowed and skipped, as Qt does.
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    int number = 0;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        if (end > start || end < text.size())
            visit(++number, classify(text.sliced(start, end - start)));
        if (end == text.size())
            break;
        // "\r\n" is one line break.
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
}

QString sectionName(QByteArrayView line)
{
    const QByteArrayView trimmed = line.trimmed();
    return QString::fromUtf8(trimmed.sliced(1, trimmed.indexOf(']') - 1)).trimmed();
}

} // namespace

IniTextScan scanIniText(QByteArrayView text)
{
    IniTextScan scan;
    forEachLine(text, [&](int number, const Line &line) {
        if (line.kind == LineKind::Key)
            ++scan.keyLines;
        else if (line.kind == LineKind::Misread)
            scan.problems.append(u"line %1: %2"_s.arg(number).arg(line.problem));
    });
    return scan;
}

IniTextSalvage salvageIniText(QByteArrayView text, const QString &section, const QStringList &ownNames)
{
    IniTextSalvage salvage;
    QList<QByteArrayView> kept;
    // A name given twice in a section reads as its last value; the earlier
    // line goes, so the kept text reads the same in Qt and here.
    QHash<std::pair<QString, QByteArray>, qsizetype> keyLines;
    QString current;
    forEachLine(text, [&](int, const Line &line) {
        if (line.kind == LineKind::Section)
            current = sectionName(line.bytes);
        if (line.kind == LineKind::Key) {
            const auto id = std::pair(current, line.bytes.first(line.equals).trimmed().toByteArray());
            if (const auto earlier = keyLines.constFind(id); earlier != keyLines.cend())
                kept[*earlier] = QByteArrayView();
            keyLines.insert(id, kept.size());
        }
        if (line.kind != LineKind::Misread) {
            kept.append(line.bytes.isEmpty() ? QByteArrayView("") : line.bytes);
            return;
        }
        if (current != section)
            return;
        const qsizetype equals = line.bytes.indexOf('=');
        if (equals <= 0)
            return;
        const QString name = QString::fromUtf8(line.bytes.first(equals).trimmed());
        if (ownNames.contains(name))
            salvage.ownValues.append({name, pathFromNative(line.bytes.sliced(equals + 1).trimmed())});
    });
    for (const QByteArrayView line : kept) {
        if (line.isNull())
            continue;
        salvage.text.append(line);
        salvage.text.append('\n');
    }
    return salvage;
}

} // namespace brookhum::settings
