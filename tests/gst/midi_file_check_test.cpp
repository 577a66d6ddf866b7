// The strict reader that every MIDI file passes before GStreamer's parser sees
// it: sound files give their playing length, malformed ones a reason.

#include "gst/midi_file_check.h"
#include "support/midi_bytes.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace brookhum;
using namespace brookhum::test;

namespace {

const QByteArray Beat = note(480);
const QByteArray BeatTrack = chunk("MTrk", Beat + EndOfTrack);
// 86400 ticks of a second each at a division of 1, and one tick more.
const QByteArray WholeDay = tempo(1000000) + b({0x85, 0xA3, 0x00, 0x90, 0x3C, 0x40});
const QByteArray DayAndATick = tempo(1000000) + b({0x85, 0xA3, 0x01, 0x90, 0x3C, 0x40});

TEST(MidiFileCheck, GivesTheLengthOfSoundFilesAndTheReasonForOthers)
{
    // The problem is part of the reason, empty for a sound file.
    const struct { const char *name; QByteArray file; const char *problem; qint64 lengthMs = 0; } rows[] = {
        // 240 ticks at 500 ms, 240 at 1 s from track 2, 480 at 250 ms from track 1.
        {"TempoChangesNotMergedAcrossTracksByTick", midi({Beat + tempo(250000) + Beat, note(240) + tempo(1000000)}), "", 1000},
        {"TempoAppliedToSmpteTime", midi({tempo(1000000) + note(1500)}, 0xE728), "", 1500},
        {"SmpteRate29NotTakenAsDropFrame", midi({note(2997)}, 0xE364), "", 1000},
        {"LengthTruncatedInsteadOfRounded", midi({note(1)}, 3), "", 167},
        {"RunningStatusLostAcrossMetaAndSysex",
         midi({b({0, 0x90, 0x3C, 0x40, 0, 0xFF, 0x01, 0x01, 'a', 0, 0xF0, 0x01, 0xF7, 0, 0x3C, 0x00})}), "", 0},
        {"ProgramChangeReadWithTwoDataBytes", midi({b({0, 0xC0, 0x05, 0, 0xD0, 0x40, 0, 0xE0, 0x00, 0x40})}), "", 0},
        {"RmidPaddingMisread", rmid(riffChunk("LIST", "abc") + riffChunk("data", midi({Beat}))), "", 500},
        {"LongHeaderOrUnknownChunkNotSkipped",
         chunk("MThd", b({0, 0, 0, 1, 0x01, 0xE0, 0, 0})) + chunk("XFIH", "abcd") + BeatTrack, "", 500},
        {"TwentyFourHoursRefused", midi({WholeDay}, 1), "", 86400000},
        {"FourThousandTracksRefused", midi(QList<QByteArray>(4096, Beat)), "", 500},

        {"RmidWithoutDataAccepted", rmid(riffChunk("LIST", "abcd")), "its RIFF wrapper holds no MIDI data"},
        {"HeaderReadPastTheFile", midi({Beat}).left(12), "the file ends inside its header"},
        {"DivisionZeroAccepted", midi({Beat}, 0), "its header gives a division of 0"},
        {"UnknownSmpteRateAccepted", midi({Beat}, 0xE928), "SMPTE rate of 23 frames per second"},
        {"TrackLengthPastTheFileAccepted", header(1) + "MTrk" + b({0xFF, 0xFF, 0xFF, 0xFF}) + Beat + EndOfTrack,
         "track 1 declares 4294967295 bytes but the file holds only 13 more"},
        {"MissingTracksAccepted", header(3) + BeatTrack, "the file ends before track 2 of the 3"},
        {"UndefinedStatusInSecondTrackMisplaced", midi({Beat, b({0, 0xF9})}), "track 2 holds the undefined status byte F9 at byte 44"},
        {"DataByteWithoutStatusAccepted", midi({b({0, 0x3C, 0x40})}), "data byte 3C at byte 23 with no status byte"},
        {"MetaEventTakenForRunningStatus", midi({b({0, 0xFF, 0x01, 0x00, 0, 0x3C, 0x40})}), "with no status byte"},
        {"FiveByteNumberAccepted", midi({b({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x40})}), "number longer than 4 bytes at byte 22"},
        {"MetaEventPastTheTrackAccepted", midi({b({0, 0xFF, 0x01, 0x10, 'a'})}), "the meta event at byte 22 runs past the end of track 1"},
        {"EventCutByTheTrackEndAccepted", header(1) + chunk("MTrk", b({0, 0x90, 0x3C})), "track 1 ends inside the event at byte 22"},
        {"MissingEndOfTrackAccepted", header(1) + chunk("MTrk", Beat), "track 1 has no end of track event"},
        {"TracksThatKeepTheParserBusyForSecondsAccepted", midi(QList<QByteArray>(65535, {})),
         "its header declares 65535 tracks, more than the 4096 that can be played"},
        {"TickPastTwentyFourHoursAccepted", midi({DayAndATick}, 1), "it would play for more than 24 hours"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(looksLikeMidi(row.file.left(12))) << "not told from other files";
        const MidiFileCheck result = checkMidiFile(row.file);
        EXPECT_TRUE(result.problem.contains(QString::fromUtf8(row.problem))) << result.problem.toStdString();
        EXPECT_EQ(result.ok(), *row.problem == '\0');
        EXPECT_EQ(result.lengthMs, row.lengthMs);
        // The reason goes on "Cannot play \"<file>\": ".
        EXPECT_FALSE(!result.ok() && (result.problem.front().isUpper() || result.problem.endsWith(u'.')));
    }
}

} // namespace
