// The advanced menu: armed by a key chord, attached by a double click on a
// hidden spot, then opened by a right-click on the banner.
#include "frm_main.h"

#include <QShortcut>

namespace qv {

void TfrmMain::createAdvancedMenu()
{
    mnuPop = new TAdvancedMenu(*advanced_, this);
    imgAdvancedClick = new QWidget(this);
    imgAdvancedClick->setObjectName(QStringLiteral("imgAdvancedClick"));
    imgAdvancedClick->setGeometry(0, 0, kHiddenSpot, kHiddenSpot);
    imgAdvancedClick->raise();
    imgAdvancedClick->installEventFilter(this);
    // Desktops on Linux keep Ctrl+Alt+F11 for switching to a text console,
    // so the chord is taken with Shift in place of Alt as well.
    for (const QKeySequence& chord : {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F11),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F11)}) {
        auto* shortcut = new QShortcut(chord, this);
        connect(shortcut, &QShortcut::activated, this, [this] { advanced_->Arm(); });
    }
    connect(pnlBanner, &TBanner::contextMenuRequested, this, &TfrmMain::pnlBannerContextPopup);
}

void TfrmMain::imgAdvancedClickDblClick()
{
    advanced_->imgAdvancedClickDblClick();
}

void TfrmMain::pnlBannerContextPopup(const QPoint& globalPos)
{
    if (advanced_->canOpen())
        mnuPop->popup(globalPos);
}

} // namespace qv
