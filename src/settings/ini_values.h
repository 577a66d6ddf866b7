#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariant>

#include <optional>

namespace brookhum::settings {

// Keys and values spelt as Qt's INI format spells them, so that the settings
// file stays one that QSettings itself reads and writes. The store edits only
// its own lines of the file and leaves the rest as it is; these functions make
// those lines.
//
// Reading differs from Qt in one way only: bytes that are not UTF-8 are kept
// (as path text carries them) where Qt would turn them into U+FFFD.

// A key or section name as a line of the file holds it ("/" becomes "\",
// anything but letters, digits, "-", "_" and "." is %-escaped).
QByteArray escapedKey(const QString &key);
// A key or section name as Qt reads it from a line.
QString unescapedKey(QByteArrayView bytes);

// The text after "=" for a value: a QString, a number, or a QByteArray
// (written as "@ByteArray(...)").
QByteArray escapedValue(const QVariant &value);
// The value Qt reads from the text after "=": a QString, a QStringList for an
// unquoted comma list, or a QByteArray for "@ByteArray(...)". What Qt
// streams or spells as geometry ("@Variant(...)", "@Rect(...)"), which no
// value of ours is, reads as no value.
QVariant unescapedValue(QByteArrayView bytes);

// A value as the program reads it: a list joined with ", " (an unquoted text
// with commas in a hand-edited file comes back as one), a byte array as the
// path it holds; nullopt for what is no text.
std::optional<QString> textOf(const QVariant &value);
// How a text is stored: as a byte array when it carries bytes that are not
// UTF-8 (a file name from an old disk), which the file's UTF-8 would lose.
QVariant storedForm(const QString &text);

} // namespace brookhum::settings
