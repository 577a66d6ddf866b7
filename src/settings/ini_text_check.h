#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace brookhum::settings {

// The settings file is shared with whatever else the maker ships and with
// hand edits. Qt's INI reader never reports a stray quote or a line that ends
// in a backslash: it silently joins the following lines, sections included,
// into one value. These functions read the text line by line, as Qt does, to
// tell such a file apart before anything is written over it.

struct IniTextScan {
    int keyLines = 0;     // lines of the form key=value
    QStringList problems; // one entry for each line Qt would misread, e.g. "line 3: an unclosed quote"
};

// Scans an INI text.
IniTextScan scanIniText(QByteArrayView text);

struct IniTextSalvage {
    QByteArray text;                                // the lines that read cleanly, unchanged
    QList<std::pair<QString, QString>> ownValues;   // values of `ownNames` in `section` on misread lines, taken literally
};

// Keeps every line that reads cleanly. A misread line of the given section
// that holds one of `ownNames` is not lost either: its text after "=" is
// taken as it stands, which is what a hand edit meant.
IniTextSalvage salvageIniText(QByteArrayView text, const QString &section, const QStringList &ownNames);

} // namespace brookhum::settings
