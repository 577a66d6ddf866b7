#include "settings/ini_text_check.h"

#include "base/native_path.h"
#include "settings/ini_lines.h"
#include "settings/ini_values.h"

#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace brookhum::settings {

namespace {

using Kind = IniLine::Kind;
using Problem = IniLine::Problem;

} // namespace

QStringList iniTextProblems(QByteArrayView text)
{
    QStringList problems;
    // Sections of one name read as one: a name given twice in them reads as
    // its last value only.
    QHash<QString, int> sectionIds{{QString(), 0}};
    int section = 0;
    QSet<std::pair<int, QByteArrayView>> keys;
    forEachIniLine(text, [&](int number, const IniLine &line) {
        if (line.problem != Problem::None)
            problems.append(u"line %1: %2"_s.arg(number).arg(problemText(line.problem)));
        if (line.kind == Kind::Section) {
            if (!sectionIds.contains(line.section))
                sectionIds.insert(line.section, static_cast<int>(sectionIds.size()));
            section = sectionIds.value(line.section);
        }
        if (line.kind != Kind::Key || line.problem != Problem::None)
            return;
        const qsizetype before = keys.size();
        keys.insert(std::pair(section, line.keyBytes()));
        if (keys.size() == before)
            problems.append(u"line %1: a name given twice in one section, of which Qt reads only the last"_s.arg(number));
    });
    return problems;
}

IniTextSalvage salvageIniText(QByteArrayView text, const QString &section)
{
    IniTextSalvage salvage;
    QList<QByteArray> kept;
    // A name given twice in a section reads as its last value; the earlier
    // line goes, so the kept text reads the same in Qt and here.
    QHash<std::pair<QString, QByteArray>, qsizetype> keyLines;
    const auto forgetOwn = [&](const QString &name) {
        salvage.ownValues.removeIf([&](const auto &value) { return value.first == name; });
    };
    QString current;
    forEachIniLine(text, [&](int, const IniLine &line) {
        const QByteArray lineBreak = line.lineBreak.isEmpty() ? QByteArray("\n") : line.lineBreak.toByteArray();
        if (line.kind == Kind::Section) {
            current = line.section;
            kept.append(line.problem == Problem::SectionWithoutBracket
                            ? '[' + line.sectionBytes.toByteArray() + ']' + lineBreak
                            : line.bytes.toByteArray() + lineBreak);
            return;
        }
        if (line.kind == Kind::Key && line.problem == Problem::None) {
            const auto id = std::pair(current, line.keyBytes().toByteArray());
            if (const auto earlier = keyLines.constFind(id); earlier != keyLines.cend())
                kept[*earlier] = QByteArray();
            keyLines.insert(id, kept.size());
            if (current == section)
                forgetOwn(unescapedKey(line.keyBytes()));
        }
        if (line.problem == Problem::None) {
            kept.append(line.bytes.toByteArray() + lineBreak);
            return;
        }
        if (current != section)
            return;
        if (line.kind == Kind::Key && line.problem == Problem::ForeignBytes) {
            const QString name = unescapedKey(line.keyBytes());
            forgetOwn(name);
            if (const std::optional<QString> value = textOf(unescapedValue(line.valueBytes())))
                salvage.ownValues.append({name, *value});
            return;
        }
        const qsizetype equals = line.bytes.indexOf('=');
        if (equals <= 0)
            return;
        const QString name = pathFromNative(line.bytes.first(equals).trimmed());
        forgetOwn(name);
        salvage.ownValues.append({name, pathFromNative(line.bytes.sliced(equals + 1).trimmed())});
    });
    for (const QByteArray &line : kept)
        salvage.text += line;
    return salvage;
}

} // namespace brookhum::settings
