#pragma once

#include <QByteArray>
#include <QString>

namespace brookhum {

// How a player renders.
struct GstPlayerConfig {
    // A sink in gst-launch syntax, for example "fakesink sync=true"; empty
    // for the desktop's default output.
    QByteArray audioSink;
    // The General MIDI soundfont for MIDI files; empty to take the one the
    // system offers.
    QString soundFont;
};

} // namespace brookhum
