#include "gst/soundfont_check.h"

#include "base/native_path.h"

#include <QtEndian>

using namespace Qt::StringLiterals;

namespace brookhum {

QString soundFontProblem(const QString &path)
{
    const QString named = u"its soundfont \"%1\" "_s.arg(displayText(path));
    if (path.isEmpty()) {
        return u"no General MIDI soundfont is installed (the package fluid-soundfont-gm or timgm6mb-soundfont "
               "has one)"_s;
    }
    // A SoundFont 2 file is a RIFF file of form "sfbk".
    const FileContents head = readRegularFile(path, 12);
    if (head.problem == u"it is not a regular file"_s)
        return named + u"is not a regular file"_s;
    if (!head.problem.isEmpty())
        return named + u"cannot be read: "_s + head.problem;
    if (head.size == 0)
        return named + u"is empty"_s;
    if (head.bytes.size() < 12 || !head.bytes.startsWith("RIFF") || head.bytes.mid(8, 4) != "sfbk")
        return named + u"is not a SoundFont 2 file"_s;
    const qint64 declared = qFromLittleEndian<quint32>(head.bytes.constData() + 4) + qint64(8);
    if (declared > head.size)
        return named + u"is cut short: it declares %1 bytes but holds %2"_s.arg(declared).arg(head.size);
    return {};
}

} // namespace brookhum
