#pragma once

#include <QString>

typedef struct _GstElement GstElement;

namespace brookhum {

// The General MIDI soundfont to play MIDI files with: the one given, or else
// the system's default choice, else any installed one; an empty string when
// there is none.
QString chooseSoundFont(const QString &given);

// Makes every element the playbin creates for one file from now on fit it:
// the fluidsynth decoder gets the soundfont and a gain that keeps MIDI as
// loud as the other files, and the sound server's stream says it is this
// program playing music, named after the file.
void configureElements(GstElement *playbin, const QString &soundFont, const QString &mediaName);

} // namespace brookhum
