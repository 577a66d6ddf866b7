#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace brookhum::settings {

// The settings file's text with the values of one section, which other
// programs share. Setting a value changes that value's line alone; every
// other byte of the text, other programs' lines and comments included, stays
// as it is. Lines are spelt as QSettings spells them.
class IniDocument {
public:
    IniDocument() = default;
    // A text that Qt reads as it stands (see iniTextProblems).
    IniDocument(const QByteArray &text, const QString &section);

    const QString &section() const { return m_section; }
    // The value Qt reads for `name` in the section; invalid when absent.
    QVariant value(const QString &name) const { return m_values.value(name); }
    // Replaces the name's line; a new name goes after the section's last
    // line, or into a new section at the end of the text.
    void setValue(const QString &name, const QVariant &value);
    QByteArray text() const;

private:
    QString m_section;
    QList<QByteArray> m_pieces;         // the text in order, each own line a piece of its own
    QHash<QString, qsizetype> m_lineOf; // name -> the piece that is its line
    QHash<QString, QVariant> m_values;
    qsizetype m_insertAt = -1; // where a new line goes; -1 while the text has no such section
};

} // namespace brookhum::settings
