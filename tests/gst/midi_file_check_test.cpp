// The MIDI file check: sound files give their playing length, malformed ones
// are refused before GStreamer's parser can hang on them.

#include "gst/midi_file_check.h"
#include "support/midi_bytes.h"

#include <QList>

#include <algorithm>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace brookhum;
using namespace brookhum::test;

namespace {

// --- The files ---------------------------------------------------------------

struct Row {
    const char *name;
    QByteArray file;
    const char *problem; // part of the reason for a refusal; empty for a sound file
    qint64 lengthMs = 0;
};

void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.name;
}

std::vector<Row> rows()
{
    const QByteArray oneBeat = note(480);
    const QByteArray oneBeatTrack = chunk("MTrk", oneBeat + EndOfTrack);
    // 86400 ticks of one second each, at a division of 1.
    const QByteArray wholeDay = tempo(1000000) + b({0x85, 0xA3, 0x00, 0x90, 0x3C, 0x40});
    const QByteArray dayAndOneTick = tempo(1000000) + b({0x85, 0xA3, 0x01, 0x90, 0x3C, 0x40});
    return {
        {"OneBeatAtDefaultTempo", midi({oneBeat}), "", 500},
        {"TempoChangeHalfWay", midi({note(240) + tempo(250000) + note(240)}), "", 375},
        {"TempoOfFirstTrackAppliesToSecond", midi({tempo(1000000), oneBeat}), "", 1000},
        // 240 ticks at 500 ms, 240 at 1 s set by track 2, 480 at 250 ms set by track 1.
        {"TempoChangesOfAllTracksMergeByTick",
         midi({oneBeat + tempo(250000) + oneBeat, note(240) + tempo(1000000)}), "", 1000},
        {"SmpteTimeIgnoresTempo", midi({tempo(1000000) + note(1500)}, 0xE728), "", 1500},
        {"SmpteRate29IsDropFrame", midi({note(2997)}, 0xE364), "", 1000},
        {"RoundsToNearestMillisecond", midi({note(1)}, 3), "", 167},
        {"RunningStatus", midi({b({0, 0x90, 0x3C, 0x40, 0x60, 0x3C, 0x00})}), "", 100},
        {"RunningStatusAcrossMetaAndSysex",
         midi({b({0, 0x90, 0x3C, 0x40, 0, 0xFF, 0x01, 0x01, 'a', 0, 0xF0, 0x01, 0xF7, 0, 0x3C, 0x00})}), "", 0},
        {"ProgramChangeAndPressureTakeOneDataByte",
         midi({b({0, 0xC0, 0x05, 0, 0xD0, 0x40, 0, 0xE0, 0x00, 0x40})}), "", 0},
        {"RmidWrapperAfterOddSizedChunk", rmid(riffChunk("LIST", "abc") + riffChunk("data", midi({oneBeat}))), "", 500},
        {"UnknownChunkSkipped", header(1) + chunk("XFIH", "abcd") + oneBeatTrack, "", 500},
        {"LongerHeaderSkipped", chunk("MThd", b({0, 0, 0, 1, 0x01, 0xE0, 0, 0})) + oneBeatTrack, "", 500},
        {"EventsAfterEndOfTrackIgnored",
         header(1) + chunk("MTrk", oneBeat + EndOfTrack + note(480) + b({0, 0xF4})), "", 500},
        {"BytesAfterLastTrackIgnored", midi({oneBeat}) + "junk", "", 500},
        {"ExactlyTwentyFourHours", midi({wholeDay}, 1), "", 86400000},
        {"TenThousandTracks", midi(QList<QByteArray>(10000, oneBeat)), "", 500},

        {"EmptyFile", {}, "the file is empty"},
        {"WaveFile", "RIFF" + littleEndian32(4) + "WAVE", "it is not a MIDI file"},
        {"RmidWithoutDataChunk", rmid(riffChunk("LIST", "abcd")), "its RIFF wrapper holds no MIDI data"},
        {"HeaderCutShort", midi({oneBeat}).left(12), "the file ends inside its header"},
        {"HeaderShorterThanSixBytes", chunk("MThd", b({0, 0, 0, 1})) + oneBeatTrack, "its header declares 4 bytes"},
        {"FormatThree", header(1, 480, 3) + oneBeatTrack, "unknown format 3"},
        {"NoTracksDeclared", header(0) + oneBeatTrack, "its header declares no tracks"},
        {"DivisionZero", midi({oneBeat}, 0), "its header gives a division of 0"},
        {"SmpteRate23", midi({oneBeat}, 0xE928), "SMPTE rate of 23 frames per second"},
        {"SmpteZeroTicksPerFrame", midi({oneBeat}, 0xE700), "0 ticks per SMPTE frame"},
        {"TrackLengthPastEndOfFile", header(1) + "MTrk" + b({0xFF, 0xFF, 0xFF, 0xFF}) + oneBeat + EndOfTrack,
         "track 1 declares 4294967295 bytes but the file holds only 13 more"},
        {"UnknownChunkPastEndOfFile", header(1) + "XFIH" + bigEndian(100, 4) + "ab",
         "the chunk at byte 14 declares 100 bytes but the file holds only 2 more"},
        {"FewerTracksThanDeclared", header(3) + oneBeatTrack, "the file ends before track 2 of the 3"},
        {"UndefinedStatusF1", midi({b({0, 0xF1})}), "undefined status byte F1 at byte 23"},
        {"UndefinedStatusF4", midi({b({0, 0xF4})}), "undefined status byte F4 at byte 23"},
        {"UndefinedStatusF5", midi({b({0, 0xF5})}), "undefined status byte F5 at byte 23"},
        {"UndefinedStatusF9InSecondTrack", midi({oneBeat, b({0, 0xF9})}),
         "track 2 holds the undefined status byte F9 at byte 44"},
        {"StatusByteInsideMessage", midi({b({0, 0x90, 0x3C, 0x90})}), "byte 90 at byte 25 where a data byte belongs"},
        {"RunningStatusWithoutStatus", midi({b({0, 0x3C, 0x40})}), "data byte 3C at byte 23 with no status byte"},
        {"RunningStatusAfterOnlyAMetaEvent", midi({b({0, 0xFF, 0x01, 0x00, 0, 0x3C, 0x40})}), "with no status byte"},
        {"NumberOfFiveBytes", midi({b({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x40})}),
         "number longer than 4 bytes at byte 22"},
        {"MetaLengthPastTrack", midi({b({0, 0xFF, 0x01, 0x10, 'a'})}),
         "the meta event at byte 22 runs past the end of track 1"},
        {"SysexLengthPastTrack", midi({b({0, 0xF0, 0x10, 0x01})}), "system exclusive message at byte 22 runs past"},
        {"EventCutByTrackEnd", header(1) + chunk("MTrk", b({0, 0x90, 0x3C})),
         "track 1 ends inside the event at byte 22"},
        {"MissingEndOfTrack", header(1) + chunk("MTrk", oneBeat), "track 1 has no end of track event"},
        {"LargestTempoLongestDelta", midi({tempo(0xFFFFFF) + b({0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, 0x40})}),
         "it would play for more than 24 hours"},
        {"OneTickOverTwentyFourHours", midi({dayAndOneTick}, 1), "it would play for more than 24 hours"},
    };
}

class MidiFileCheckTest : public testing::TestWithParam<Row> {};

TEST_P(MidiFileCheckTest, RefusesWithTheReasonOrGivesTheLength)
{
    const Row &row = GetParam();
    const MidiFileCheck result = checkMidiFile(row.file);
    const QString problem = QString::fromUtf8(row.problem);
    if (problem.isEmpty()) {
        EXPECT_TRUE(result.ok()) << result.problem.toStdString();
        EXPECT_EQ(result.lengthMs, row.lengthMs);
        return;
    }
    EXPECT_TRUE(result.problem.contains(problem)) << result.problem.toStdString();
    // It continues "Cannot play \"<file>\": ".
    EXPECT_TRUE(result.problem.at(0).isLower() && !result.problem.endsWith(u'.')) << result.problem.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, MidiFileCheckTest, testing::ValuesIn(rows()),
                         [](const testing::TestParamInfo<Row> &info) { return std::string(info.param.name); });

} // namespace

TEST(LooksLikeMidi, KnowsMidiHeadsFromOthers)
{
    const struct {
        const char *name;
        QByteArray head;
        bool midi;
    } heads[] = {
        {"StandardMidiFile", midi({note(480)}).left(8), true},
        {"RmidWrapper", rmid(riffChunk("data", {})), true},
        {"WaveFile", "RIFF" + littleEndian32(4) + "WAVE", false},
        {"RiffCutBeforeItsForm", "RIFF" + littleEndian32(4) + "RMI", false},
        {"FewerThanFourBytes", "MTh", false},
        {"Empty", {}, false},
    };
    for (const auto &row : heads) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(looksLikeMidi(row.head), row.midi);
    }
}
