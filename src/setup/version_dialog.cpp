#include "setup/version_dialog.h"

#include "resources/design_font.h"
#include "resources/pictures.h"
#include "resources/text_fitting.h"
#include "version.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

QFont boldFont(int pixelSize)
{
    QFont font = designFont(pixelSize);
    font.setBold(true);
    return font;
}

QLabel *placeLabel(QLabel *label, const QString &name, const QRect &design)
{
    label->setObjectName(name);
    label->setGeometry(design);
    growToTextWhenShown(*label);
    return label;
}

} // namespace

TForm3::TForm3(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(u"Form3"_s);
    const QString version = QLatin1StringView(BROOKHUM_VERSION);
    setWindowTitle(u"Ver."_s + version);
    setFont(designFont(12));
    setFixedSize(278, 117);
    move(281, 371);

    Label2 = new QLabel(u"Brookhum"_s + version, this);
    Label2->setFont(boldFont(16));
    placeLabel(Label2, u"Label2"_s, QRect(8, 2, 178, 16));

    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    const QPixmap picture = versionPicture();
    Image1->setPixmap(picture);
    Image1->setGeometry(8, 24, picture.isNull() ? 150 : picture.width(), picture.isNull() ? 30 : picture.height());

    Button1 = new QPushButton(u"OK"_s, this);
    Button1->setObjectName(u"Button1"_s);
    Button1->setGeometry(176, 24, 51, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    Label1 = new QLabel(u"© Tarnwick — 音のある毎日を"_s, this);
    Label1->setFont(boldFont(13));
    placeLabel(Label1, u"Label1"_s, QRect(8, 64, 241, 13));
}

void TForm3::Button1Click()
{
    close();
}

} // namespace brookhum
