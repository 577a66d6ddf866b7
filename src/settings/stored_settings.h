#pragma once

#include "engine/ports.h"

namespace brookhum {

class RegIniFile;

// The values the play engine reads and writes, by their stored names, each
// read passing "non" for an absent value, which is then written back with
// its initial text.
class StoredSettings : public SettingsPort {
public:
    explicit StoredSettings(RegIniFile &store) : m_store(store) {}

    StoredText readPlayFlag() override;
    StoredText readRandPlayFlag() override;
    StoredText readSelectPlayFlag() override;
    StoredSlot readSlot(SlotKind kind, int slot) override;
    StoredText readBeginFlag(Bar bar) override;
    void writeRandPlayFlag(const QString &flag) override;
    StoredText readVolume() override;
    void writeVolume(const QString &text) override;
    StoredText readOptionFlag(PlayOption option) override;
    std::optional<ResumePoint> readResumePoint() override;
    // Writes only the values that differ from the stored ones: while a file
    // plays, that is its place alone.
    void writeResumePoint(const ResumePoint &point) override;

private:
    RegIniFile &m_store;
};

} // namespace brookhum
