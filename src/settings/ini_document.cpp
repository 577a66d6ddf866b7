#include "settings/ini_document.h"

#include "settings/ini_lines.h"
#include "settings/ini_values.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace brookhum::settings {

namespace {

QByteArray lineBreakOf(const QByteArray &line)
{
    if (line.endsWith("\r\n"))
        return "\r\n";
    if (line.endsWith('\n') || line.endsWith('\r'))
        return line.right(1);
    return {};
}

QByteArray sectionHeader(const QString &section)
{
    if (section.isEmpty())
        return "[General]";
    if (section.compare(u"general"_s, Qt::CaseInsensitive) == 0)
        return "[%General]";
    return '[' + escapedKey(section) + ']';
}

} // namespace

IniDocument::IniDocument(const QByteArray &text, const QString &section) : m_section(section)
{
    struct OwnLine {
        qsizetype start;
        QString name;
    };
    QList<OwnLine> own;
    QList<qsizetype> cuts{0, text.size()};
    qsizetype insertAt = -1;
    bool inSection = section.isEmpty();
    const char *const base = text.constData();
    forEachIniLine(text, [&](int, const IniLine &line) {
        const qsizetype start = line.bytes.constData() - base;
        const qsizetype end = start + line.bytes.size() + line.lineBreak.size();
        if (line.kind == IniLine::Kind::Section) {
            inSection = line.section == section;
            if (inSection)
                insertAt = end;
        }
        if (!inSection || line.kind != IniLine::Kind::Key)
            return;
        insertAt = end;
        const QString name = unescapedKey(line.keyBytes());
        if (name.contains(u'/'))
            return; // a key of a group within the section
        own.append({start, name});
        m_values.insert(name, unescapedValue(line.valueBytes()));
        cuts << start << end;
    });
    if (insertAt >= 0)
        cuts.append(insertAt);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    for (qsizetype i = 0; i + 1 < cuts.size(); ++i)
        m_pieces.append(text.sliced(cuts[i], cuts[i + 1] - cuts[i]));
    // A name given twice reads as its last line.
    for (const OwnLine &line : own)
        m_lineOf.insert(line.name, cuts.indexOf(line.start));
    if (insertAt >= 0)
        m_insertAt = cuts.indexOf(insertAt);
}

void IniDocument::setValue(const QString &name, const QVariant &value)
{
    const QByteArray written = escapedValue(value);
    const QByteArray line = escapedKey(name) + '=' + written;
    m_values.insert(name, unescapedValue(written));
    if (const auto at = m_lineOf.constFind(name); at != m_lineOf.cend()) {
        QByteArray &piece = m_pieces[*at];
        const QByteArray lineBreak = lineBreakOf(piece);
        piece = line + lineBreak;
        return;
    }
    if (m_insertAt < 0) {
        QByteArray header;
        if (!m_pieces.isEmpty() && lineBreakOf(m_pieces.last()).isEmpty())
            header += '\n';
        if (!m_pieces.isEmpty())
            header += '\n';
        header += sectionHeader(m_section) + '\n';
        m_pieces.append(header);
        m_insertAt = m_pieces.size();
    }
    // The line before may be the text's last, without a line break.
    if (m_insertAt > 0 && lineBreakOf(m_pieces[m_insertAt - 1]).isEmpty())
        m_pieces[m_insertAt - 1] += '\n';
    m_pieces.insert(m_insertAt, line + '\n');
    for (qsizetype &piece : m_lineOf) {
        if (piece >= m_insertAt)
            ++piece;
    }
    m_lineOf.insert(name, m_insertAt);
    ++m_insertAt;
}

QByteArray IniDocument::text() const
{
    qsizetype size = 0;
    for (const QByteArray &piece : m_pieces)
        size += piece.size();
    QByteArray text;
    text.reserve(size);
    for (const QByteArray &piece : m_pieces)
        text += piece;
    return text;
}

} // namespace brookhum::settings
