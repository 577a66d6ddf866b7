#pragma once

#include "base/slots.h"

#include <QString>
#include <QStringList>

namespace brookhum::settings {

// The one section every value lives in.
QString section();

// The single values.
QString PlayFlag();
QString RandPlayFlag();
QString PlayBarBeginFlag();
QString IndicationBarBeginFlag();
QString SelectPlayFlag();
QString DirSelectXPointPlayFlag();
QString DirSelectYPointPlayFlag();
QString IndicationXPointPlayFlag();
QString IndicationYPointPlayFlag();

// Beyond the values above: the path of the General MIDI soundfont to use.
// Absent means the one the system offers; nothing ever writes it.
QString SoundFont();

// Beyond the design, read and initialised like its text values: the
// player's own volume, "0" to "100", and the three option ticks.
QString Volume();
QString ResumeFlag();
QString NotifyFlag();
QString LevelFlag();

// Where play stood, kept for resuming; written only while resuming is on,
// and never initialised.
QString ResumeKind();
QString ResumeSlot();
QString ResumeFile();
QString ResumeFileSize();
QString ResumeFileTime();
QString ResumePosition();

using brookhum::SlotKind;

// The two values of slot k (1..10) of a family, e.g. "BrookhumDirNo3" and
// "BrookhumDirNo3PlayFlag".
struct SlotValueNames {
    QString path;
    QString flag;
};
SlotValueNames slotValueNames(SlotKind kind, int slot);

// All the program's value names: the design's 49 in table order (the nine
// single values, then the directory slots and the file slots, each as path
// then flag), then those beyond it.
QStringList allValueNames();

// Whether a value is one of the four integer positions; all others are texts.
bool isPositionValue(const QString &name);

// The text a reader stores for an absent text value.
QString initialText(const QString &name);

} // namespace brookhum::settings
