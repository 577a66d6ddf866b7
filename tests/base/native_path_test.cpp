// File names travel as the bytes the file system gave, whatever they are,
// and are shown as the user can read them.

#include "base/directory_listing.h"
#include "base/native_path.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;

TEST(NativePath, EveryByteStringComesBackUnchanged)
{
    const QByteArray names[] = {
        "/music/plain.wav",
        "/music/\xe9\x9f\xb3\xe6\xa5\xbd.mid",     // UTF-8
        "/old/\x93\xfa\x96\x7b\x8c\xea.wav",       // Shift-JIS, the second bytes partly ASCII
        "/old/caf\xe9.mp3",                        // Latin-1
        "/odd/\xc0\xaf overlong",                  // not UTF-8, though it looks like it
        "/odd/\xed\xa0\x80 surrogate",             // an encoded surrogate is not UTF-8 either
        "/odd/cut \xe3\x81",                       // a sequence cut short at the end
        "/odd/\xf5\xff\xfe",
    };
    for (const QByteArray &bytes : names) {
        const QString path = pathFromNative(bytes);
        EXPECT_EQ(nativePath(path), bytes) << bytes.toHex().constData();
        EXPECT_EQ(hasForeignBytes(path), QString::fromUtf8(bytes).toUtf8() != bytes) << bytes.toHex().constData();
    }
    EXPECT_EQ(pathFromNative("/music/\xe9\x9f\xb3"), u"/music/音"_s);
}

TEST(NativePath, ShiftJisNamesAreShownDecodedAndOtherBytesAsReplacements)
{
    EXPECT_EQ(displayText(pathFromNative("/\xe9\x9f\xb3/\x93\xfa\x96\x7b.wav")), u"/音/日本.wav"_s);
    EXPECT_EQ(displayText(pathFromNative("/x/a\xff\xfe.wav")), u"/x/a\uFFFD\uFFFD.wav"_s);
    EXPECT_EQ(displayText(u"/plain/ケ.mid"_s), u"/plain/ケ.mid"_s);
}

TEST(NativePath, AShiftJisNamedFileIsListedAndFoundByItsExactName)
{
    QTemporaryDir dir;
    const QByteArray name = "\x93\xfa\x96\x7b.wav";
    const QByteArray exact = QFile::encodeName(dir.path()) + '/' + name;
    FILE *made = std::fopen(exact.constData(), "w");
    ASSERT_NE(made, nullptr);
    std::fclose(made);

    const QStringList listed = listPlayableFiles(dir.path(), 20).value_or(QStringList());
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(nativePath(listed[0]), exact);
    EXPECT_TRUE(isRegularFile(listed[0]));
    EXPECT_FALSE(isDirectory(listed[0]));
}
