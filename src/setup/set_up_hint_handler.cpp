#include "setup/set_up_hint_handler.h"

#include "base/native_path.h"
#include "setup/set_up_dialog.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace brookhum {

namespace {

constexpr int HintTimeoutMs = 5000;
const QPoint HintOffset(5, 5);

// Qt's one hint window, while it exists.
QWidget *hintWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"qtooltip_label"_s)
            return window;
    }
    return nullptr;
}

void colourHint(const QPalette &palette)
{
    if (QWidget *hint = hintWindow())
        hint->setPalette(palette);
}

QPalette whiteHintPalette()
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    return palette;
}

} // namespace

SetUpHintHandler::SetUpHintHandler()
{
    QCoreApplication::instance()->installEventFilter(this);
}

SetUpHintHandler::~SetUpHintHandler()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

void SetUpHintHandler::attach(TForm2 &dialog)
{
    m_dialog = &dialog;
}

bool SetUpHintHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || !m_dialog || !watched->isWidgetType())
        return false;
    const std::optional<QString> path = m_dialog->slotHint(watched);
    if (!path) {
        // Qt reuses its hint window; another control's hint keeps its colours.
        colourHint(QToolTip::palette());
        return false;
    }
    return SetUpShowHint(*static_cast<QWidget *>(watched), *static_cast<QHelpEvent *>(event), *path);
}

bool SetUpHintHandler::SetUpShowHint(QWidget &control, const QHelpEvent &event, const QString &path)
{
    if (path.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    // A path that looks like markup is still shown as it is.
    const QString shown = displayText(path);
    const QString text = Qt::mightBeRichText(shown) ? Qt::convertFromPlainText(shown, Qt::WhiteSpacePre) : shown;
    QToolTip::showText(event.globalPos() + HintOffset, text, &control, QRect(), HintTimeoutMs);
    colourHint(whiteHintPalette());
    return true;
}

} // namespace brookhum
