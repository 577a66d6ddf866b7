#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace brookhum::settings {

// The settings file is shared with whatever else the maker ships and with
// hand edits. Qt's INI reader never reports a stray quote or a line that ends
// in a backslash: it silently joins the following lines, sections included,
// into one value. These functions read the text line by line, as Qt does, to
// tell such a file apart before anything is written into it.

// Each line Qt would misread, e.g. "line 3: an unclosed quote, which joins
// the following lines"; empty for a file Qt reads as it stands.
QStringList iniTextProblems(QByteArrayView text);

struct IniTextSalvage {
    QByteArray text;                              // the lines that read cleanly, unchanged
    QList<std::pair<QString, QString>> ownValues; // values of `section` on misread lines
};

// Keeps every line that reads cleanly; a section name that lacks its "]"
// gets it back. A misread line of the given section is not lost either: one
// whose only fault is bytes that are not UTF-8 is read as Qt reads it, bytes
// kept; on one that would join other lines the text after "=" is taken as it
// stands, which is what a hand edit meant.
IniTextSalvage salvageIniText(QByteArrayView text, const QString &section);

} // namespace brookhum::settings
