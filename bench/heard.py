#!/usr/bin/env python3
"""What a recording of a null sink's monitor holds, to the millisecond.

The recording is raw 16-bit mono at 48 kHz. A sound is a stretch of 1-ms
blocks whose peak reaches LOUD, parted from the next by at least half a
second below it; it begins at the first sample and ends after the last
sample that reaches FAINT, followed outwards from its loud blocks through
the blocks that still reach FAINT. Each sound is named by the tone that is
strongest in its first 300 ms.

Commands:
  write DIR FORMAT COUNT         t1..tCOUNT.{wav,mp3,mid}, one tone each, 1 s
  sounds FILE                    onset s, end s and tone of each sound
  wait FILE COUNT TIMEOUT        until COUNT sounds were heard and the last
                                 has been silent for a second
  pauses FILE COUNT              the silences between the first COUNT sounds,
                                 then "|" and the length of each sound, in ms,
                                 after checking the tones' order
  first FILE BYTES               ms from byte offset BYTES to the first sound
  track-table RESULTS            the track-change table
  start-up-table RESULTS         the start-up table
"""

import array
import math
import os
import statistics
import struct
import subprocess
import sys
import time
import wave

RATE = 48000
BLOCK = RATE // 1000  # 1 ms
LOUD = 300  # about -40 dBFS
FAINT = 100  # about -50 dBFS
PAUSE_BLOCKS = 500
TONES = [440, 554, 698, 831]  # none a harmonic of another
TONE_SECONDS = 1.0
WAIT_MS = 3000  # the program's silence between two files


def read(path):
    samples = array.array("h")
    with open(path, "rb") as f:
        data = f.read()
    samples.frombytes(data[: len(data) // 2 * 2])
    if sys.byteorder != "little":
        samples.byteswap()
    return samples


def strength(samples, frequency):
    """The power of one frequency in the samples (Goertzel)."""
    k = 2 * math.cos(2 * math.pi * frequency / RATE)
    a = b = 0.0
    for s in samples:
        a, b = s + k * a - b, a
    return a * a + b * b - k * a * b


def sounds(samples):
    """(onset s, end s, tone Hz) of each sound in the samples."""
    peaks = []
    for i in range(0, len(samples) - BLOCK + 1, BLOCK):
        block = samples[i : i + BLOCK]
        peaks.append(max(max(block), -min(block)))
    spans = []
    for b, peak in enumerate(peaks):
        if peak < LOUD:
            continue
        if spans and b - spans[-1][1] <= PAUSE_BLOCKS:
            spans[-1][1] = b
        else:
            spans.append([b, b])
    found = []
    for n, (first, last) in enumerate(spans):
        low = spans[n - 1][1] + 1 if n else 0
        high = spans[n + 1][0] - 1 if n + 1 < len(spans) else len(peaks) - 1
        while first > low and peaks[first - 1] >= FAINT:
            first -= 1
        while last < high and peaks[last + 1] >= FAINT:
            last += 1
        onset = next(i for i in range(first * BLOCK, (first + 1) * BLOCK) if abs(samples[i]) >= FAINT)
        end = next(i for i in range((last + 1) * BLOCK - 1, last * BLOCK - 1, -1) if abs(samples[i]) >= FAINT) + 1
        head = samples[onset : min(end, onset + RATE * 3 // 10)]
        tone = max(TONES, key=lambda f: strength(head, f))
        found.append((onset / RATE, end / RATE, tone))
    return found


def describe(found):
    return "; ".join(f"{tone} Hz {start:.3f}-{end:.3f} s" for start, end, tone in found) or "nothing"


def write_media(directory, form, count):
    for n, tone in enumerate(TONES[:count], 1):
        path = os.path.join(directory, f"t{n}")
        if form == "midi":
            write_midi(path + ".mid", tone)
            continue
        write_wav(path + ".wav", tone)
        if form == "mp3":
            subprocess.run(
                ["gst-launch-1.0", "-q", "filesrc", f"location={path}.wav", "!", "wavparse", "!", "audioconvert",
                 "!", "audio/x-raw,channels=2", "!", "lamemp3enc", "target=bitrate", "bitrate=128", "cbr=true",
                 "!", "filesink", f"location={path}.mp3"], check=True)
            os.remove(path + ".wav")


def write_wav(path, tone):
    """A sine from phase zero at half scale, 44.1 kHz mono, cut off sharp so
    that its start and end are plain in the recording."""
    rate = 44100
    frames = array.array("h", (round(16383 * math.sin(2 * math.pi * tone * i / rate))
                               for i in range(int(rate * TONE_SECONDS))))
    if sys.byteorder != "little":
        frames.byteswap()
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames.tobytes())


def write_midi(path, tone):
    """One flute note at the key nearest the tone; one tick is 1 ms."""
    key = round(69 + 12 * math.log2(tone / 440))
    length = int(TONE_SECONDS * 1000)
    track = bytes([0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,  # 1,000,000 us a quarter
                   0x00, 0xC0, 73,  # flute
                   0x00, 0x90, key, 100])
    track += bytes([0x80 | (length >> 7), length & 0x7F, 0x80, key, 0, 0x00, 0xFF, 0x2F, 0x00])
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 1000) + b"MTrk" + struct.pack(">I", len(track)) + track)


def wait(path, count, timeout):
    deadline = time.monotonic() + timeout
    while True:
        samples = read(path)
        found = sounds(samples)
        if len(found) >= count and len(samples) / RATE - found[count - 1][1] >= 1.0:
            return 0
        if time.monotonic() > deadline:
            print(f"{count} sounds not heard within {timeout:g} s; heard: {describe(found)}", file=sys.stderr)
            return 1
        time.sleep(0.25)


def pauses(path, count):
    found = sounds(read(path))
    if len(found) < count or [tone for _, _, tone in found[:count]] != TONES[:count]:
        print(f"expected tones {TONES[:count]} in order; heard: {describe(found)}", file=sys.stderr)
        return 1
    silences = " ".join(f"{(found[i][0] - found[i - 1][1]) * 1000:.1f}" for i in range(1, count))
    print(silences + "|" + " ".join(f"{(end - start) * 1000:.1f}" for start, end, _ in found[:count]))
    return 0


def first(path, offset):
    found = sounds(read(path))
    if not found:
        print("no sound heard", file=sys.stderr)
        return 1
    print(f"{(found[0][0] - offset / 2 / RATE) * 1000:.1f}")
    return 0


def spread(values):
    return f"{statistics.median(values):.0f} ({min(values):.0f}–{max(values):.0f})"


def track_table(path):
    """Lines of "server|format|player|pause ms ...|sound ms ..." to one row
    each, with the reference (gst-launch-1.0) beside every other player of
    its server and format."""
    rows, lengths = {}, {}
    for line in open(path, encoding="utf-8"):
        server, form, who, values, heard = line.rstrip("\n").split("|")
        rows.setdefault((server, form), {}).setdefault(who, []).extend(float(v) for v in values.split())
        lengths.setdefault((server, form, who), []).extend(float(v) for v in heard.split())
    print("| sound server | format | player | pauses | heard pause ms: median (min–max) "
          "| track change ms: median (min–max) | beyond gst-launch-1.0 ms | at most 10 ms beyond "
          "| each 1-s file heard for ms: median (min–max) |")
    print("|---|---|---|--:|--:|--:|--:|:-:|--:|")
    met = {}
    for (server, form), players in rows.items():
        reference = players.get("gst-launch-1.0")
        for who, values in players.items():
            changes = [v - WAIT_MS for v in values]
            beyond, verdict = "—", "—"
            if reference and who != "gst-launch-1.0":
                difference = statistics.median(changes) - (statistics.median(reference) - WAIT_MS)
                beyond, verdict = f"{difference:+.0f}", "yes" if difference <= 10 else "NO"
                met[who] = met.get(who, True) and difference <= 10
            print(f"| {server} | {form} | {who} | {len(values)} | {spread(values)} | {spread(changes)} "
                  f"| {beyond} | {verdict} | {spread(lengths[server, form, who])} |")
    print()
    for who, all_met in met.items():
        print(f"{who}: target {'met in every row' if all_met else 'NOT met in every row'}")
    return 0


def start_up_table(path):
    """Lines of "player|format|icon ms|sound ms" to one row per player and format."""
    rows = {}
    for line in open(path, encoding="utf-8"):
        who, form, icon, sound = line.rstrip("\n").split("|")
        row = rows.setdefault((who, form), ([], []))
        row[0].append(float(icon))
        row[1].append(float(sound))
    print("| player | format | runs | to the tray icon ms: median (min–max) | to the first sound heard ms: median (min–max) |")
    print("|---|---|--:|--:|--:|")
    for (who, form), (icons, heard) in rows.items():
        print(f"| {who} | {form} | {len(icons)} | {spread(icons)} | {spread(heard)} |")
    return 0


def main(argv):
    command, args = argv[1], argv[2:]
    if command == "write":
        write_media(args[0], args[1].lower(), int(args[2]))
        return 0
    if command == "sounds":
        for start, end, tone in sounds(read(args[0])):
            print(f"{start:.4f} {end:.4f} {tone}")
        return 0
    if command == "wait":
        return wait(args[0], int(args[1]), float(args[2]))
    if command == "pauses":
        return pauses(args[0], int(args[1]))
    if command == "first":
        return first(args[0], int(args[1]))
    if command == "track-table":
        return track_table(args[0])
    if command == "start-up-table":
        return start_up_table(args[0])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
