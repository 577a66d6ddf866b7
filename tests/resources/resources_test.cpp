// The toggle pictures a user may replace beside the program, and the
// pictures that must load on every machine.

#include "resources/design_font.h"
#include "resources/pictures.h"
#include "resources/replaceable_picture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;

// A file beside the program that is an image in any format is used in place
// of the built-in picture; anything else leaves the built-in one.
TEST(Pictures, AReplacementIsUsedOnlyWhenItIsAnImage)
{
    const QTemporaryDir beside;
    const auto shown = [&](const QString &name) { return replaceablePicture(name, {beside.path()}).toImage(); };
    const QImage builtIn = shown(u"Repeat.bmp"_s);
    ASSERT_TRUE(!builtIn.isNull() && builtIn != shown(u"No_Repeat.bmp"_s)) << "the states look the same";
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    // The replacement is written in a format and cut to a size (-1: whole).
    const struct { const char *name; const char *format; qint64 size; bool used; } rows[] = {
        {"EmptyFileShownBlank", "BMP", 0, false}, {"BitmapCutAfterItsHeaderShownBlank", "BMP", 54, false},
        {"BitmapIgnored", "BMP", -1, true}, {"PngUnderTheBitmapNameIgnored", "PNG", -1, true}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = beside.filePath(u"Repeat.bmp"_s);
        ASSERT_TRUE(red.save(file, row.format) && (row.size < 0 || QFile::resize(file, row.size)));
        const QImage image = shown(u"Repeat.bmp"_s);
        EXPECT_TRUE(!image.isNull() && (image == builtIn) != row.used);
    }
    EXPECT_EQ(replaceablePictureFileNames().size(), 6);
    for (const QString &name : replaceablePictureFileNames())
        EXPECT_TRUE(QFile::exists(QCoreApplication::applicationDirPath() + u'/' + name)) << "beside the program";
}

// A user of the installed program cannot write beside it; their own picture
// in $XDG_DATA_HOME/brookhum wins over the copy there.
TEST(Pictures, TheUsersOwnPictureWinsOverTheOneBesideTheProgram)
{
    const QTemporaryDir dataHome;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    QImage red(20, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(QDir(dataHome.path()).mkpath(u"brookhum"_s) && red.save(dataHome.filePath(u"brookhum/Repeat.bmp"_s), "BMP"));
    const QImage shown = replaceablePicture(u"Repeat.bmp"_s).toImage().convertToFormat(QImage::Format_RGB32);
    qputenv("XDG_DATA_HOME", saved);
    EXPECT_EQ(shown, red);
}

// The tray icon is the one the package installs in the hicolor theme, found
// by the application id; a desktop whose themes lack it gets the built-in one.
// hicolor's index comes from the system's copy, as on a desktop.
TEST(Pictures, TheTrayIconIsTheInstalledThemeIcon)
{
    const QString themeName = QIcon::themeName();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QIcon::setThemeName(u"hicolor"_s);
    const struct { const char *name; QStringList searchPaths; int widthAt256; } rows[] = {
        {"ThemeIconNamedOtherThanTheInstalledFiles", {QString::fromUtf8(BROOKHUM_ICON_THEMES), u"/usr/share/icons"_s}, 256},
        {"NoIconWhereTheThemeLacksIt", {u"/usr/share/icons"_s}, 32}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QIcon::setThemeSearchPaths(row.searchPaths);
        EXPECT_EQ(themedApplicationIcon().pixmap(256).width(), row.widthAt256);
    }
    QIcon::setThemeName(themeName);
    QIcon::setThemeSearchPaths(searchPaths);
}

TEST(Pictures, TheVersionPictureAndTheJapaneseFontLoad)
{
    EXPECT_EQ(versionPicture().size(), QSize(150, 30)) << "through Qt's JPEG plug-in";
    EXPECT_FALSE(applicationIcon().isNull());
    EXPECT_TRUE(QFontMetrics(designFont()).inFont(u'音'));
}
