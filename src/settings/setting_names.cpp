#include "settings/setting_names.h"

#include <array>

using namespace Qt::StringLiterals;

namespace brookhum::settings {

namespace {

constexpr const char16_t *Product = u"Brookhum";

struct SingleValue {
    const char16_t *setting; // the name after the product word
    const char16_t *initial; // nullptr for the integer positions
};

// The single values: name, and the text written for an absent value.
constexpr std::array<SingleValue, 9> SingleValues{{
    {u"PlayFlag", u"0"},
    {u"RandPlayFlag", u"0"},
    {u"PlayBarBeginFlag", u"0"},
    {u"IndicationBarBeginFlag", u"0"},
    {u"SelectPlayFlag", u"1"},
    {u"DirSelectXPointPlayFlag", nullptr},
    {u"DirSelectYPointPlayFlag", nullptr},
    {u"IndicationXPointPlayFlag", nullptr},
    {u"IndicationYPointPlayFlag", nullptr},
}};

// Beyond the design: name and initial text; nullptr for the values that are
// never initialised.
constexpr std::array<SingleValue, 10> LaterValues{{
    {u"Volume", u"100"},
    {u"ResumeFlag", u"0"},
    {u"NotifyFlag", u"0"},
    {u"LevelFlag", u"0"},
    {u"ResumeKind", nullptr},
    {u"ResumeSlot", nullptr},
    {u"ResumeFile", nullptr},
    {u"ResumeFileSize", nullptr},
    {u"ResumeFileTime", nullptr},
    {u"ResumePosition", nullptr},
}};

QString later(int index)
{
    return QString::fromUtf16(Product) + QString::fromUtf16(LaterValues[static_cast<std::size_t>(index)].setting);
}

QString single(int index)
{
    return QString::fromUtf16(Product) + QString::fromUtf16(SingleValues[static_cast<std::size_t>(index)].setting);
}

template <std::size_t Count>
const SingleValue *findIn(const std::array<SingleValue, Count> &values, const QString &name)
{
    for (const SingleValue &value : values) {
        if (name == QString::fromUtf16(Product) + QString::fromUtf16(value.setting))
            return &value;
    }
    return nullptr;
}

const SingleValue *findSingle(const QString &name)
{
    return findIn(SingleValues, name);
}

} // namespace

QString section() { return QString::fromUtf16(Product); }

QString PlayFlag() { return single(0); }
QString RandPlayFlag() { return single(1); }
QString PlayBarBeginFlag() { return single(2); }
QString IndicationBarBeginFlag() { return single(3); }
QString SelectPlayFlag() { return single(4); }
QString DirSelectXPointPlayFlag() { return single(5); }
QString DirSelectYPointPlayFlag() { return single(6); }
QString IndicationXPointPlayFlag() { return single(7); }
QString IndicationYPointPlayFlag() { return single(8); }
QString SoundFont() { return QString::fromUtf16(Product) + u"SoundFont"_s; }
QString Volume() { return later(0); }
QString ResumeFlag() { return later(1); }
QString NotifyFlag() { return later(2); }
QString LevelFlag() { return later(3); }
QString ResumeKind() { return later(4); }
QString ResumeSlot() { return later(5); }
QString ResumeFile() { return later(6); }
QString ResumeFileSize() { return later(7); }
QString ResumeFileTime() { return later(8); }
QString ResumePosition() { return later(9); }

SlotValueNames slotValueNames(SlotKind kind, int slot)
{
    const QString path = QString::fromUtf16(Product) + (kind == SlotKind::Directory ? u"DirNo"_s : u"FileNo"_s)
                         + QString::number(slot);
    return {path, path + u"PlayFlag"_s};
}

QStringList allValueNames()
{
    QStringList names;
    for (int i = 0; i < static_cast<int>(SingleValues.size()); ++i)
        names.append(single(i));
    for (SlotKind kind : {SlotKind::Directory, SlotKind::File}) {
        for (int k = 1; k <= 10; ++k) {
            const SlotValueNames slot = slotValueNames(kind, k);
            names << slot.path << slot.flag;
        }
    }
    for (int i = 0; i < static_cast<int>(LaterValues.size()); ++i)
        names.append(later(i));
    return names;
}

bool isPositionValue(const QString &name)
{
    const SingleValue *value = findSingle(name);
    return value && value->initial == nullptr;
}

QString initialText(const QString &name)
{
    if (const SingleValue *value = findSingle(name))
        return value->initial ? QString::fromUtf16(value->initial) : QString();
    if (const SingleValue *value = findIn(LaterValues, name))
        return value->initial ? QString::fromUtf16(value->initial) : QString();
    // Slot paths start empty and slot flags start off.
    return name.endsWith(u"PlayFlag"_s) ? u"0"_s : QString();
}

} // namespace brookhum::settings
