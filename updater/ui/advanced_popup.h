#pragma once

#include "updater/advanced_menu.h"

#include <QAction>
#include <QMenu>

#include <map>

namespace qv {

// mnuPop, the advanced menu as the banner's right-click shows it. The items
// carry their established names as object names.
class TAdvancedMenu : public QMenu {
    Q_OBJECT

public:
    TAdvancedMenu(AdvancedMenu& menu, QWidget* parent);

    // Runs as the menu opens: the items' enabling and the check mark as
    // they are now.
    void mnuPopPopup();
    // The item, or the entry of its submenu.
    QAction* item(AdvancedItem item) const { return items_.at(item); }

private:
    QAction* Add(QMenu* into, const char* name, const char* caption, void (AdvancedMenu::*handler)());
    QMenu* AddKeys();
    QMenu* AddSpiUartDestinations();

    AdvancedMenu& menu_;
    std::map<AdvancedItem, QAction*> items_;
};

} // namespace qv
