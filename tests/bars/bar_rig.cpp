#include "bar_rig.h"

#include "app/bar_windows.h"
#include "bars/indication_bar.h"
#include "bars/select_play_bar.h"
#include "settings/setting_names.h"
#include "support/engine_rig.h"
#include "support/main_window_parts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace brookhum::test {

BarRig::BarRig()
{
    auto player = std::make_unique<FakeMediaPlayer>();
    m_player = player.get();
    TForm1::Parts parts = mainWindowParts(forms, m_pending, std::move(player));
    parts.wait = [this](int seconds) { waits.append(seconds); };
    m_form1 = std::make_unique<TForm1>(std::move(parts));
    m_form1->bars().createBar(Bar::Select);
    m_form1->bars().createBar(Bar::Indication);
}

BarRig::~BarRig() = default;

const PlayState &BarRig::state()
{
    return engine().state();
}

TForm4 &BarRig::selectBar()
{
    return *forms.Form4;
}

TForm5 &BarRig::indicationBar()
{
    return *forms.Form5;
}

QStringList MediaLibrary::addDirectorySlot(int slot, const QStringList &names)
{
    const QString directory = makeDirectoryWithFiles(m_root, u"曲 'slot %1'"_s.arg(slot), names);
    const auto value = settings::slotValueNames(settings::SlotKind::Directory, slot);
    storeTexts({{value.path, directory}, {value.flag, u"1"_s}});
    QStringList paths;
    for (const QString &name : names)
        paths.append(QDir(directory).filePath(name));
    return paths;
}

QString MediaLibrary::addFileSlot(int slot, const QString &name)
{
    const QString directory = makeDirectoryWithFiles(m_root, u"files"_s, {name});
    const QString path = QDir(directory).filePath(name);
    const auto value = settings::slotValueNames(settings::SlotKind::File, slot);
    storeTexts({{value.path, path}, {value.flag, u"1"_s}});
    return path;
}

void chooseFromList(QComboBox &combo, int index)
{
    combo.showPopup();
    QAbstractItemView *list = combo.view();
    list->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

void openAndCloseList(QComboBox &combo)
{
    combo.showPopup();
    QTest::keyClick(combo.view(), Qt::Key_Escape);
}

QStringList itemsOf(const QComboBox &combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    return items;
}

QImage comparable(const QPixmap &picture)
{
    return picture.toImage().convertToFormat(QImage::Format_ARGB32);
}

const QList<BarKind> barKinds = {
    {"select-play bar", Bar::Select, {188, 291}, settings::DirSelectXPointPlayFlag(),
     settings::DirSelectYPointPlayFlag()},
    {"indication bar", Bar::Indication, {265, 367}, settings::IndicationXPointPlayFlag(),
     settings::IndicationYPointPlayFlag()},
};

} // namespace brookhum::test
