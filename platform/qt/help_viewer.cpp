#include "help_viewer.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace qv {

HelpViewer::HelpViewer(const QUrl& page, QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this))
{
    setObjectName("HelpViewer");
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    setWindowTitle(browser_->documentTitle());
    resize(640, 560);
}

void HelpViewer::showTopic(int topic)
{
    show();
    raise();
    activateWindow();
    // An unknown topic leaves the page at its contents.
    if (topic > 0)
        browser_->scrollToAnchor(anchorFor(topic));
    else
        browser_->scrollToAnchor(anchorFor(0));
}

} // namespace qv
