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

QString single(int index)
{
    return QString::fromUtf16(Product) + QString::fromUtf16(SingleValues[static_cast<std::size_t>(index)].setting);
}

const SingleValue *findSingle(const QString &name)
{
    for (const SingleValue &value : SingleValues) {
        if (name == QString::fromUtf16(Product) + QString::fromUtf16(value.setting))
            return &value;
    }
    return nullptr;
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
    // Slot paths start empty and slot flags start off.
    return name.endsWith(u"PlayFlag"_s) ? u"0"_s : QString();
}

} // namespace brookhum::settings
