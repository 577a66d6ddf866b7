// Paints every built-in picture of Brookhum and writes it into a directory:
//
//   draw_pictures <output directory> [--sheet <contact sheet.png>]
//                 [--icon-theme <hicolor directory>]
//
// The toggle bitmaps are written as 24-bit BMP files (the format users
// replace them with), the version banner as JPEG, everything else as PNG.
// With --icon-theme the application icon is also written at every size the
// installed package puts into the desktop's icon theme.

#include "banners.h"
#include "button_glyphs.h"
#include "contact_sheet.h"
#include "icon_tiles.h"
#include "toggle_glyphs.h"

#include "resources/toggle_picture_names.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace brookhum::draw;

namespace {

struct Picture {
    QString fileName;
    QImage image;
};

QList<Picture> allPictures()
{
    return {
        {u"application_32.png"_s, applicationIconImage(32)},
        {u"application_16.png"_s, applicationIconImage(16)},
        {u"select_bar_32.png"_s, selectBarIconImage(32)},
        {u"select_bar_16.png"_s, selectBarIconImage(16)},
        {u"indication_bar_32.png"_s, indicationBarIconImage(32)},
        {u"indication_bar_16.png"_s, indicationBarIconImage(16)},
        {QString::fromUtf16(brookhum::TogglePictures[0].checked), fileRepeatGlyph(ToggleState::On)},
        {QString::fromUtf16(brookhum::TogglePictures[0].unchecked), fileRepeatGlyph(ToggleState::Off)},
        {QString::fromUtf16(brookhum::TogglePictures[1].checked), directoryRepeatGlyph(ToggleState::On)},
        {QString::fromUtf16(brookhum::TogglePictures[1].unchecked), directoryRepeatGlyph(ToggleState::Off)},
        {QString::fromUtf16(brookhum::TogglePictures[2].checked), pauseGlyph(ToggleState::On)},
        {QString::fromUtf16(brookhum::TogglePictures[2].unchecked), pauseGlyph(ToggleState::Off)},
        {u"play.png"_s, playGlyph()},
        {u"next.png"_s, nextGlyph()},
        {u"stop.png"_s, stopGlyph()},
        {u"preview_stop.png"_s, previewStopGlyph()},
        {u"drag_drop.png"_s, dragDropBanner()},
        {u"indication.png"_s, indicationBadge()},
        {u"version.jpg"_s, versionBanner()},
    };
}

// The sizes desktops look up most in the hicolor theme.
constexpr int themeIconEdges[] = {16, 22, 24, 32, 48, 64, 128, 256};

QList<Picture> themeIcons()
{
    QList<Picture> icons;
    for (const int edge : themeIconEdges)
        icons.append({u"%1x%1/apps/com.tarnwick.Brookhum.png"_s.arg(edge),
                      applicationIconImage(edge)});
    return icons;
}

bool write(const QImage &image, const QString &path)
{
    QImageWriter writer(path);
    if (path.endsWith(u".jpg"_s))
        writer.setQuality(95);
    // BMP has no alpha; a 24-bit image makes the writer produce 24-bit pixels.
    const QImage stored =
        path.endsWith(u".bmp"_s) ? image.convertToFormat(QImage::Format_RGB888) : image;
    if (writer.write(stored))
        return true;
    std::fprintf(stderr, "draw_pictures: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Paints Brookhum's built-in pictures."_s);
    parser.addHelpOption();
    parser.addPositionalArgument(u"directory"_s, u"Where the pictures are written."_s);
    const QCommandLineOption sheetOption(u"sheet"_s, u"Also write an enlarged contact sheet."_s,
                                         u"file"_s);
    parser.addOption(sheetOption);
    const QCommandLineOption themeOption(
        u"icon-theme"_s, u"Also write the application icon into this hicolor theme directory."_s,
        u"directory"_s);
    parser.addOption(themeOption);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    const QDir directory(parser.positionalArguments().constFirst());
    if (!directory.mkpath(u"."_s)) {
        std::fprintf(stderr, "draw_pictures: cannot create %s\n", qPrintable(directory.path()));
        return 1;
    }

    bool written = true;
    QList<QImage> sheetRows;
    for (const Picture &picture : allPictures()) {
        const QString path = directory.filePath(picture.fileName);
        written = write(picture.image, path) && written;
        // The sheet shows what was stored, JPEG artefacts included.
        sheetRows.append(QImage(path));
    }
    if (parser.isSet(themeOption)) {
        const QDir theme(parser.value(themeOption));
        for (const Picture &icon : themeIcons()) {
            const QString path = theme.filePath(icon.fileName);
            if (!QDir().mkpath(QFileInfo(path).path())) {
                std::fprintf(stderr, "draw_pictures: cannot create %s\n",
                             qPrintable(QFileInfo(path).path()));
                return 1;
            }
            written = write(icon.image, path) && written;
            sheetRows.append(QImage(path));
        }
    }
    if (parser.isSet(sheetOption))
        written = write(contactSheet(sheetRows), parser.value(sheetOption)) && written;
    return written ? 0 : 1;
}
