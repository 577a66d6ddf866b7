// The built-in pictures, the replaceable toggle pictures beside the
// executable, and the windows' font.

#include "resources/design_font.h"
#include "resources/picture_resources.h"
#include "resources/pictures.h"
#include "resources/replaceable_picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImageReader>
#include <QRawFont>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>

using namespace Qt::StringLiterals;

void PrintTo(const QSize &size, std::ostream *out)
{
    *out << size.width() << " x " << size.height();
}

namespace brookhum {
namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage comparable(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

QImage solidImage(const QColor &colour)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage builtIn(const QString &fileName)
{
    return QImage(builtInPicturePath(fileName)).convertToFormat(QImage::Format_RGB32);
}

TEST(Pictures, EveryPictureHasItsDesignedSize)
{
    struct Row {
        const char *picture;
        std::function<QPixmap()> make;
        QSize size;
    };
    const Row rows[] = {
        {"play button", playButtonPicture, {20, 20}},
        {"next button", nextButtonPicture, {20, 20}},
        {"stop button", stopButtonPicture, {20, 20}},
        {"drag and drop", dragDropImage, {100, 25}},
        {"preview stop", setupStopGlyph, {30, 30}},
        {"version", versionPicture, {150, 30}},
        {"indication", indicationPicture, {30, 10}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.picture);
        EXPECT_EQ(row.make().size(), row.size);
    }

    const QTemporaryDir empty;
    for (const QString &name : replaceablePictureFileNames()) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(replaceablePicture(name, empty.path()).size(), QSize(20, 20));
    }

    for (const QIcon &icon : {applicationIcon(), selectBarIcon(), indicationBarIcon()}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
        EXPECT_EQ(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
    }
}

TEST(Pictures, VersionPictureIsAJpegReadThroughTheJpegPlugin)
{
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("jpeg"));
    QImageReader sniffing(builtInPicturePath(u"version.jpg"_s));
    sniffing.setDecideFormatFromContent(true);
    EXPECT_EQ(sniffing.format(), "jpeg");
    EXPECT_EQ(QImageReader(builtInPicturePath(u"version.jpg"_s), "jpeg").read().size(),
              QSize(150, 30));
}

TEST(ReplaceablePictures, BuiltInCopiesAre24BitBitmapsWithDistinctStates)
{
    const QStringList names = replaceablePictureFileNames();
    ASSERT_EQ(names.size(), 6);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = fileBytes(builtInPicturePath(name));
        ASSERT_GT(bytes.size(), 30);
        EXPECT_TRUE(bytes.startsWith("BM"));
        EXPECT_EQ(quint8(bytes[28]) | quint8(bytes[29]) << 8, 24) << "bits per pixel";
    }
    for (const QString &on : {u"Repeat.bmp"_s, u"DirRepeat.bmp"_s, u"Temporary_stop.bmp"_s}) {
        SCOPED_TRACE(on.toStdString());
        EXPECT_NE(builtIn(on), builtIn(u"No_"_s + on));
    }
}

// Each row puts something (or nothing) at Repeat.bmp in an empty directory.
TEST(ReplaceablePictures, UseTheFileOnlyWhenItIsAnImage)
{
    const QByteArray bitmap = encoded(solidImage(Qt::red), "BMP");
    struct Row {
        const char *situation;
        std::optional<QByteArray> content;
        QImage expected;
    };
    const Row rows[] = {
        {"missing", std::nullopt, builtIn(u"Repeat.bmp"_s)},
        {"zero bytes", QByteArray(), builtIn(u"Repeat.bmp"_s)},
        {"junk", QByteArray("this is no picture\n"), builtIn(u"Repeat.bmp"_s)},
        {"bitmap header only", bitmap.left(54), builtIn(u"Repeat.bmp"_s)},
        {"valid bitmap", bitmap, solidImage(Qt::red)},
        {"PNG under the bitmap's name", encoded(solidImage(Qt::blue), "PNG"),
         solidImage(Qt::blue)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.situation);
        const QTemporaryDir directory(QDir::tempPath() + u"/brookhum pictures 'ü'-XXXXXX"_s);
        ASSERT_TRUE(directory.isValid());
        if (row.content) {
            ASSERT_TRUE(writeBytes(directory.filePath(u"Repeat.bmp"_s), *row.content));
        }
        const QPixmap picture = replaceablePicture(u"Repeat.bmp"_s, directory.path());
        EXPECT_EQ(comparable(picture), row.expected);
    }
}

// Moves a file aside for the life of the guard and puts it back afterwards.
class SetAside {
public:
    explicit SetAside(const QString &path) : m_path(path), m_aside(path + u".aside"_s)
    {
        QFile::remove(m_aside);
        m_moved = QFile::rename(m_path, m_aside);
    }
    ~SetAside()
    {
        QFile::remove(m_path);
        QFile::rename(m_aside, m_path);
    }
    SetAside(const SetAside &) = delete;
    SetAside &operator=(const SetAside &) = delete;

    bool moved() const { return m_moved; }

private:
    QString m_path;
    QString m_aside;
    bool m_moved = false;
};

TEST(ReplaceablePictures, LieBesideTheExecutable)
{
    // The build copies the six pictures beside every executable, this one too.
    const QDir beside(QCoreApplication::applicationDirPath());
    for (const QString &name : replaceablePictureFileNames()) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(fileBytes(beside.filePath(name)), fileBytes(builtInPicturePath(name)));
    }

    {
        const SetAside missing(beside.filePath(u"DirRepeat.bmp"_s));
        ASSERT_TRUE(missing.moved());
        EXPECT_EQ(comparable(replaceablePicture(u"DirRepeat.bmp"_s)), builtIn(u"DirRepeat.bmp"_s));
    }

    // A name of its own, so that other tests reading the real pictures at the
    // same time are not disturbed.
    const QString probe = beside.filePath(u"resources_test probe.bmp"_s);
    ASSERT_TRUE(writeBytes(probe, encoded(solidImage(Qt::green), "BMP")));
    EXPECT_EQ(comparable(replaceablePicture(u"resources_test probe.bmp"_s)),
              solidImage(Qt::green));
    QFile::remove(probe);
}

TEST(DesignFont, StartsWithTheDesignedFaceAndRendersJapanese)
{
    const QFont font = designFont();
    const QStringList families = font.families();
    ASSERT_GE(families.size(), 3);
    EXPECT_EQ(families.at(0), u"ＭＳ Ｐゴシック"_s);
    EXPECT_EQ(families.at(1), u"MS PGothic"_s);
    EXPECT_TRUE(families.contains(u"Noto Sans CJK JP"_s));
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_EQ(designFont(16).pixelSize(), 16);

    // Without a Japanese face installed, the captions would render as boxes.
    const QRawFont face = QRawFont::fromFont(font, QFontDatabase::Japanese);
    ASSERT_TRUE(face.isValid());
    EXPECT_TRUE(families.contains(face.familyName())) << face.familyName().toStdString();
    for (const QChar character : u"再生停止一時停止ディレクトリ繰り返し"_s)
        EXPECT_TRUE(face.supportsCharacter(character)) << QString(character).toStdString();
    EXPECT_TRUE(families.contains(QFontInfo(font).family()));
}

} // namespace
} // namespace brookhum
