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

using brookhum::SlotKind;

// The two values of slot k (1..10) of a family, e.g. "BrookhumDirNo3" and
// "BrookhumDirNo3PlayFlag".
struct SlotValueNames {
    QString path;
    QString flag;
};
SlotValueNames slotValueNames(SlotKind kind, int slot);

// All 49 value names, in table order: the nine single values, then the
// directory slots and the file slots, each as path then flag.
QStringList allValueNames();

// Whether a value is one of the four integer positions; all others are texts.
bool isPositionValue(const QString &name);

// The text a reader stores for an absent text value.
QString initialText(const QString &name);

} // namespace brookhum::settings
