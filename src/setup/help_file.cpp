#include "setup/help_file.h"

#include "base/native_path.h"

#include <QDir>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace brookhum {

QString helpFile(const QString &programDirectory)
{
    const QString beside = QDir(programDirectory).filePath(u"Brookhum.chm"_s);
    const QString installed = QDir::cleanPath(programDirectory + u"/../share/brookhum/help/index.html"_s);
    for (const QString &path : {beside, installed}) {
        if (isRegularFile(path))
            return path;
    }
    throw std::runtime_error(u"The help is missing: it belongs in \"%1\", which is not there. "
                             "Installing Brookhum again puts it back."_s.arg(displayText(installed)).toStdString());
}

} // namespace brookhum
