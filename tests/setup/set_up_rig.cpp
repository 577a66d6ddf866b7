#include "set_up_rig.h"

#include "gst/gst_media_player.h"
#include "support/test_output.h"
#include "settings/setting_names.h"
#include "support/fake_media_player.h"
#include "support/test_application.h"

#include "setup/directory_list_box.h"
#include "setup/file_list_box.h"

#include <QFileInfo>
#include <QSettings>

#include <functional>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace brookhum::test {

std::unique_ptr<TForm2> SetUpRig::open()
{
    SetUpEnvironment environment;
    environment.pending = &pending;
    environment.store = &testStore();
    environment.errors = &testApp();
    environment.hints = &hints;
    environment.loginStart = &loginStart;
    environment.reloadSettings = [this] {
        ++reloads;
        if (onReload)
            onReload();
    };
    environment.makePreviewPlayer = [this]() -> std::unique_ptr<MediaPlayer> {
        if (realPreviewPlayer)
            return std::make_unique<GstMediaPlayer>(testOutput());
        auto fake = std::make_unique<FakeMediaPlayer>();
        previewPlayer = fake.get();
        return fake;
    };
    environment.recordVersionDialog = [this](TForm3 *dialog) { versionDialogs.append(dialog); };
    return std::make_unique<TForm2>(nullptr, std::move(environment));
}

namespace {

void selectRow(QListWidget &list, const std::function<bool(int)> &matches)
{
    list.clearSelection();
    for (int row = 0; row < list.count(); ++row) {
        if (matches(row)) {
            list.setCurrentRow(row);
            return;
        }
    }
    throw std::runtime_error("no such list entry");
}

} // namespace

void dropDirectory(TForm2 &dialog, int slot, const QString &path)
{
    DirectoryListBox &dirs = *dialog.controls().SetUpDirectoryListBox;
    dirs.setDirectory(QFileInfo(path).absolutePath());
    selectRow(dirs, [&](int row) { return dirs.itemPath(row) == path; });
    dialog.SlotCheckBoxDragDrop(SlotKind::Directory, slot, &dirs);
}

void dropFile(TForm2 &dialog, int slot, const QString &directory, const QString &name)
{
    dialog.controls().SetUpDirectoryListBox->setDirectory(directory);
    FileListBox &files = *dialog.controls().SetUpFileListBox;
    selectRow(files, [&](int row) { return files.itemName(row) == name; });
    dialog.SlotCheckBoxDragDrop(SlotKind::File, slot, &files);
}

QMap<QString, QVariant> storeSnapshot()
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Tarnwick"_s);
    QMap<QString, QVariant> values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

QString storeFile()
{
    return configDirectory() + u"/Tarnwick.conf"_s;
}

} // namespace brookhum::test
