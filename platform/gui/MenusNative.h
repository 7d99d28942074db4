#pragma once
// Layer-internal: the native parts of menus.
#include <QAction>
#include <QMenu>

#include "platform/gui/Menus.h"

struct TMenuItem::Native {
    QAction* action = nullptr;  // owned by the menu
};

struct TPopupMenu::Native {
    QMenu menu;
};
