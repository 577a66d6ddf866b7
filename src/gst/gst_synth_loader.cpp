#include "gst/gst_synth_loader.h"

#include "base/native_path.h"

#include <QCoreApplication>

#include <gst/gst.h>

#include <mutex>

using namespace Qt::StringLiterals;

namespace brookhum {

void loadSynthPlugin()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QString path =
            QCoreApplication::applicationDirPath() + u"/../" BROOKHUM_PLUGIN_DIR "/libgstbrookhumsynth.so"_s;
        if (!isRegularFile(path))
            return;
        if (GstPlugin *plugin = gst_plugin_load_file(nativePath(path).constData(), nullptr))
            gst_object_unref(plugin);
    });
}

} // namespace brookhum
