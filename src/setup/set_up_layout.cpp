#include "setup/set_up_layout.h"

#include "resources/pictures.h"
#include "resources/text_fitting.h"
#include "setup/browsable_volumes.h"
#include "setup/directory_list_box.h"
#include "setup/drive_combo_box.h"
#include "setup/file_list_box.h"
#include "setup/slot_check_box.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

constexpr int ClientWidth = 518;
constexpr int ClientHeight = 476;

template <typename Widget>
Widget *place(Widget *widget, const QString &name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

// Labels and pictures size themselves to their content, as the design's did;
// the design size is the least they get.
QLabel *placeLabel(QLabel *label, const QString &name, int left, int top, int width, int height)
{
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(left, top, width, height);
    growToTextWhenShown(*label);
    return label;
}

// The design's proportional face set its kana narrower than the full-width
// kana of the Japanese faces found today. A caption that would overrun its
// button gets its letters drawn a little closer, down to 2 pixels.
void fitCaption(QAbstractButton *button)
{
    fitWhenShown(*button, [button] {
        QFont font = button->font();
        for (qreal spacing = -0.5; spacing >= -2.0 && button->sizeHint().width() > button->width(); spacing -= 0.5) {
            font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
            button->setFont(font);
        }
    });
}

QLabel *placePicture(QWidget *parent, const QString &name)
{
    auto *picture = new QLabel(parent);
    picture->setPixmap(dragDropImage());
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return place(picture, name, 0, 0, 105, 33);
}

int rowTop(int slot)
{
    return 40 + 20 * (slot - 1);
}

QPushButton *deleteButton(QWidget *panel, const QString &name, int left, int slot, int height = 17)
{
    return place(new QPushButton(u"X"_s, panel), name, left, rowTop(slot), 17, height);
}

QFrame *panel(QWidget *parent, const QString &name, int width)
{
    auto *frame = place(new QFrame(parent), name, 160, 120, width, 289);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(1);
    frame->setAutoFillBackground(true);
    return frame;
}

void buildMenu(QWidget &form, SetUpControls &ui)
{
    ui.SetUpMainMenu = new QMenuBar(&form);
    ui.SetUpMainMenu->setObjectName(u"SetUpMainMenu"_s);
    ui.Help = ui.SetUpMainMenu->addMenu(u"ヘルプ"_s);
    ui.Help->setObjectName(u"Help"_s);
    ui.Ver = ui.Help->addAction(u"バージョン情報"_s);
    ui.Ver->setObjectName(u"Ver"_s);
    ui.Help1 = ui.Help->addAction(u"Help"_s);
    ui.Help1->setObjectName(u"Help1"_s);
}

void buildFormControls(QWidget *client, SetUpControls &ui)
{
    ui.SetUpButton = place(new QPushButton(u"設定保存"_s, client), u"SetUpButton"_s, 380, 20, 57, 25);

    // A group box measures its title as soon as it has one.
    ui.GroupBox1 = place(new QGroupBox(client), u"GroupBox1"_s, 16, 8, 185, 49);
    fitWhenShown(*ui.GroupBox1, [box = ui.GroupBox1] { box->setTitle(u"再生種類"_s); });
    ui.DirSetUpRadioButton = place(new QRadioButton(u"ディレクトリ"_s, ui.GroupBox1),
                                   u"DirSetUpRadioButton"_s, 16, 16, 89, 17);
    ui.FileSetUpRadioButton = place(new QRadioButton(u"ファイル"_s, ui.GroupBox1),
                                    u"FileSetUpRadioButton"_s, 104, 16, 73, 17);

    fitCaption(ui.DirSetUpRadioButton);
    fitCaption(ui.FileSetUpRadioButton);

    ui.SetUpDirPanel = panel(client, u"SetUpDirPanel"_s, 336);
    ui.SetUpFilePanel = panel(client, u"SetUpFilePanel"_s, 281);

    ui.SetUpDirectoryListBox = place(new DirectoryListBox(client), u"SetUpDirectoryListBox"_s, 16, 88, 137, 161);
    ui.SetUpDriveComboBox = place(new DriveComboBox(client, browsableVolumes(QDir::homePath())),
                                  u"SetUpDriveComboBox"_s, 16, 64, 137, 18);
    ui.SetUpFileListBox = place(new FileListBox(client), u"SetUpFileListBox"_s, 16, 256, 137, 105);

    ui.SetUpCloseBitBtn = place(new QPushButton(client), u"SetUpCloseBitBtn"_s, 16, 368, 33, 33);
    ui.SetUpCloseBitBtn->setIcon(setupStopGlyph());
    ui.SetUpCloseBitBtn->setIconSize(QSize(30, 30));
    ui.SetUpCloseBitBtn->setEnabled(false);

    ui.FirstPlayCheckBox = place(new QCheckBox(u"起動時に再生"_s, client), u"FirstPlayCheckBox"_s, 204, 8, 105, 17);
    ui.CloseButton = place(new QPushButton(u"キャンセル"_s, client), u"CloseButton"_s, 440, 20, 65, 25);
    ui.PlayBarBeginCheckBox = place(new QCheckBox(u"起動時に再生バー表示"_s, client),
                                    u"PlayBarBeginCheckBox"_s, 204, 48, 157, 17);
    ui.PlayBarBeginCheckBox->setEnabled(false);
    ui.PlayBarBeginCheckBox->setVisible(false);
    ui.IndicationBarBeginCheckBox = place(new QCheckBox(u"再生時にファイル名表示"_s, client),
                                          u"IndicationBarBeginCheckBox"_s, 204, 28, 157, 17);
    for (QAbstractButton *option : {ui.FirstPlayCheckBox, ui.PlayBarBeginCheckBox, ui.IndicationBarBeginCheckBox})
        fitCaption(option);
    ui.PointReButton = place(new QPushButton(u"表示位置初期化"_s, client), u"PointReButton"_s, 380, 60, 121, 25);
    ui.LoginStartCheckBox = place(new QCheckBox(u"ログイン時に起動"_s, client), u"LoginStartCheckBox"_s, 204, 68, 157, 17);
    fitCaption(ui.LoginStartCheckBox);

    // Between the options above and the slots there is room for one row
    // only; below the slots' panel, in both modes, for three, in the rows
    // the options keep.
    ui.ResumeCheckBox = place(new QCheckBox(u"前回の続きから再生"_s, client), u"ResumeCheckBox"_s, 160, 414, 200, 17);
    ui.NotifyCheckBox = place(new QCheckBox(u"曲の変わり目を通知"_s, client), u"NotifyCheckBox"_s, 160, 434, 200, 17);
    ui.LevelCheckBox = place(new QCheckBox(u"音量を揃える"_s, client), u"LevelCheckBox"_s, 160, 454, 200, 17);
    for (QAbstractButton *option : {ui.ResumeCheckBox, ui.NotifyCheckBox, ui.LevelCheckBox})
        fitCaption(option);
}

void buildDirPanel(SetUpControls &ui)
{
    QWidget *p = ui.SetUpDirPanel;
    ui.Image2 = placePicture(p, u"Image2"_s);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const QString n = QString::number(slot);
        ui.Label[slot] = placeLabel(new QLabel(u"No."_s + n, p), u"Label"_s + n, 20, rowTop(slot),
                                        slot == 10 ? 28 : 22, 17);
        ui.DirNoCheckBox[slot] = place(new SlotCheckBox(p), u"DirNo%1CheckBox"_s.arg(slot), 60, rowTop(slot), 209, 17);
        ui.SetUpDirDelNoButton[slot] =
            deleteButton(p, u"SetUpDirDelNo%1Button"_s.arg(slot), 280, slot, slot == 7 ? 15 : 17);
    }
}

void buildFilePanel(SetUpControls &ui)
{
    QWidget *p = ui.SetUpFilePanel;
    ui.Image1 = placePicture(p, u"Image1"_s);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        ui.FileNoCheckBox[slot] = place(new SlotCheckBox(p), u"FileNo%1CheckBox"_s.arg(slot), 20, rowTop(slot), 217, 17);
        ui.SetUpFileDelNoButton[slot] = deleteButton(p, u"SetUpFileDelNo%1Button"_s.arg(slot), 240, slot);
    }
}

// The designed tab order, irregular steps included.
void chainTabOrder(const SetUpControls &ui)
{
    QList<QWidget *> chain{ui.SetUpButton, ui.DirSetUpRadioButton, ui.FileSetUpRadioButton};
    for (int slot : {1, 2, 3, 4, 5})
        chain.append(ui.DirNoCheckBox[slot]);
    for (int slot : {1, 2, 3, 5, 4})
        chain.append(ui.SetUpDirDelNoButton[slot]);
    for (int slot : {6, 7, 8, 9, 10})
        chain.append(ui.DirNoCheckBox[slot]);
    for (int slot : {6, 7, 8, 9, 10})
        chain.append(ui.SetUpDirDelNoButton[slot]);
    for (int slot : {2, 3, 4, 5, 6, 7, 8, 9, 10, 1})
        chain.append(ui.FileNoCheckBox[slot]);
    for (int slot : {1, 2, 3, 4, 6, 5, 8, 7, 9, 10})
        chain.append(ui.SetUpFileDelNoButton[slot]);
    chain << ui.SetUpDirectoryListBox << ui.SetUpDriveComboBox << ui.SetUpFileListBox << ui.SetUpCloseBitBtn
          << ui.FirstPlayCheckBox << ui.CloseButton << ui.PlayBarBeginCheckBox << ui.IndicationBarBeginCheckBox
          << ui.PointReButton << ui.LoginStartCheckBox << ui.ResumeCheckBox << ui.NotifyCheckBox << ui.LevelCheckBox;
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

} // namespace

SetUpControls buildSetUpControls(QWidget &form)
{
    SetUpControls ui;
    buildMenu(form, ui);
    ui.ClientArea = place(new QWidget(&form), u"ClientArea"_s, 0, 0, ClientWidth, ClientHeight);
    buildFormControls(ui.ClientArea, ui);
    buildDirPanel(ui);
    buildFilePanel(ui);
    // Before a mode is picked both panels show, the file panel in front.
    ui.SetUpFilePanel->raise();
    chainTabOrder(ui);

    ui.SetUpDirectoryListBox->setFileList(ui.SetUpFileListBox);
    ui.SetUpDriveComboBox->setDirList(ui.SetUpDirectoryListBox);
    ui.SetUpDirectoryListBox->setDirectory(QDir::homePath());

    // The client area sits below the menu bar, as high as its font makes it.
    fitWhenShown(form, [&form, menu = ui.SetUpMainMenu, area = ui.ClientArea] {
        const int menuHeight = menu->sizeHint().height();
        menu->setGeometry(0, 0, ClientWidth, menuHeight);
        area->move(0, menuHeight);
        form.setFixedSize(ClientWidth, menuHeight + ClientHeight);
    });
    return ui;
}

} // namespace brookhum
