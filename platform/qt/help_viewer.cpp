#include "help_viewer.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace qv {

HelpViewer::HelpViewer(const QUrl& page, QWidget* parent)
    : QWidget(parent, Qt::Window), page_(page), browser_(new QTextBrowser(this))
{
    setObjectName("HelpViewer");
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);
    // The pages' text would otherwise touch the window's edge.
    browser_->document()->setDocumentMargin(kMargin);
    browser_->setSource(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    setWindowTitle(browser_->documentTitle());
    resize(720, 600);
}

void HelpViewer::showTopic(HelpTopic topic)
{
    show();
    raise();
    activateWindow();
    // The same page with a fragment only scrolls; the source then says where.
    QUrl at = page_;
    at.setFragment(anchorFor(TopicNumber(topic)));
    browser_->setSource(at);
}

QStringList HelpViewer::anchors() const
{
    QStringList names;
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            names += it.fragment().charFormat().anchorNames();
    return names;
}

} // namespace qv
