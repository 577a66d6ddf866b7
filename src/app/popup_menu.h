#pragma once

#include <memory>

class QMenu;
class QWidget;

namespace brookhum {

class MenuActions;

// Arranges the tray menu's entries into the popup menu "BrookhumPopupMenu"
// with its two levels of submenus.
std::unique_ptr<QMenu> buildPopupMenu(MenuActions &actions);

} // namespace brookhum
