#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

namespace brookhum::settings {

// One physical line of an INI text, as Qt's INI reader takes it.
struct IniLine {
    enum class Kind { Blank, Comment, Section, Key, Unreadable };
    // What makes Qt read the line otherwise than it stands; None for a line
    // it reads as written.
    enum class Problem {
        None,
        Nul,                   // a NUL byte
        ForeignBytes,          // bytes that are not UTF-8, which Qt turns into U+FFFD
        TrailingBackslash,     // joins the next line
        UnclosedQuote,         // joins the following lines
        SectionWithoutBracket, // Qt still takes the rest of the line as the section's name
        NoKeyValue,            // no "key=value"
    };

    QByteArrayView bytes;     // without its line break
    QByteArrayView lineBreak; // "\n", "\r\n", "\r", or empty at the end of the text
    Kind kind = Kind::Blank;
    Problem problem = Problem::None;
    qsizetype end = 0;     // where Qt stops reading the line: its end, or a ";" that starts a comment
    qsizetype equals = -1; // of a key line: where its "=" is in bytes
    QByteArrayView sectionBytes; // of a section line: its name as written, without brackets
    QString section;             // of a section line: the name Qt reads; empty for [General]

    QByteArrayView keyBytes() const { return bytes.first(equals).trimmed(); }
    QByteArrayView valueBytes() const { return bytes.sliced(equals + 1, end - equals - 1); }
};

// What a problem is, for the user, e.g. "an unclosed quote, which joins the
// following lines".
QString problemText(IniLine::Problem problem);

// Calls visit(line number from 1, line) for each line of the text. A byte
// order mark at its start is skipped, as Qt does.
void forEachIniLine(QByteArrayView text, const std::function<void(int, const IniLine &)> &visit);

} // namespace brookhum::settings
