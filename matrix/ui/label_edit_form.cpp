#include "label_edit_form.h"

#include "matrix/label_rename.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace qv {

namespace {
// Rows shown before the advanced list starts to scroll.
constexpr int kVisibleRows = 12;
} // namespace

TLabelEditForm::TLabelEditForm(Prompter& prompter, QWidget* parent) : QDialog(parent), prompter_(prompter)
{
    setObjectName(QStringLiteral("LabelEditForm"));
    setModal(true);

    gbLabel_ = new QGroupBox(this);
    gbLabel_->setObjectName(QStringLiteral("gbLabel"));
    sbRows_ = new QScrollArea(gbLabel_);
    sbRows_->setObjectName(QStringLiteral("sbRows"));
    sbRows_->setFrameShape(QFrame::NoFrame);
    sbRows_->setWidgetResizable(true);
    sbRows_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* rows = new QWidget(sbRows_);
    rowsLayout_ = new QVBoxLayout(rows);
    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->addStretch();
    sbRows_->setWidget(rows);
    auto* groupLayout = new QVBoxLayout(gbLabel_);
    groupLayout->addWidget(sbRows_);

    OKButton_ = new QPushButton(QStringLiteral("OK"), this);
    OKButton_->setObjectName(QStringLiteral("OKButton"));
    OKButton_->setDefault(true);
    CancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton_->setObjectName(QStringLiteral("CancelButton"));
    connect(OKButton_, &QPushButton::clicked, this, &TLabelEditForm::OKButtonClick);
    connect(CancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton_);
    buttons->addWidget(CancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbLabel_);
    layout->addLayout(buttons);
}

void TLabelEditForm::clearRows()
{
    for (QWidget* w : rowWidgets_)
        delete w;
    rowWidgets_.clear();
    edits_.clear();
}

QLineEdit* TLabelEditForm::addEdit(const QString& name, const QString& text, int maxLength)
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(maxLength, QLatin1Char('W'))) + 16);
    edits_.push_back(edit);
    return edit;
}

void TLabelEditForm::setupSingle(const QString& title, const QString& caption, const QString& label,
                                 int maxLength)
{
    clearRows();
    advanced_ = false;
    setWindowTitle(title);
    gbLabel_->setTitle(caption);
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    QLineEdit* edit = addEdit(QStringLiteral("editLabel"), label, maxLength);
    h->addWidget(edit);
    h->addStretch();
    rowsLayout_->insertWidget(0, row);
    rowWidgets_.push_back(row);
    edit->selectAll();
    edit->setFocus();
    adjustSize();
}

void TLabelEditForm::setupAdvanced(const QString& title, const QList<QPair<QString, QString>>& rows)
{
    clearRows();
    advanced_ = true;
    setWindowTitle(title);
    gbLabel_->setTitle(QString::fromStdString(RenameGroupCaption(Channel{}, true)));
    for (int k = 0; k < rows.size(); ++k) {
        auto* row = new QWidget;
        auto* h = new QHBoxLayout(row);
        h->setContentsMargins(0, 0, 0, 0);
        auto* caption = new QLabel(rows[k].first);
        caption->setObjectName(QStringLiteral("lblRow%1").arg(k + 1));
        caption->setMinimumWidth(caption->fontMetrics().horizontalAdvance(QStringLiteral("Output #96")) + 8);
        auto* old = new QLabel(rows[k].second);
        old->setObjectName(QStringLiteral("lblOld%1").arg(k + 1));
        old->setMinimumWidth(old->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 8);
        h->addWidget(caption);
        h->addWidget(old);
        h->addWidget(addEdit(QStringLiteral("editLabel%1").arg(k + 1), rows[k].second));
        h->addStretch();
        rowsLayout_->insertWidget(k, row);
        rowWidgets_.push_back(row);
    }
    if (!edits_.isEmpty()) {
        edits_.front()->selectAll();
        edits_.front()->setFocus();
    }
    const int rowHeight = edits_.isEmpty() ? 24 : edits_.front()->sizeHint().height() + 6;
    gbLabel_->setMinimumHeight(std::min<int>(int(rows.size()), kVisibleRows) * rowHeight + 40);
    // A scroll area does not count its scroll bar in its width: a list that
    // scrolls would have its edit fields clipped under it.
    const int scrollBar = rows.size() > kVisibleRows ? sbRows_->verticalScrollBar()->sizeHint().width() : 0;
    sbRows_->setMinimumWidth(sbRows_->widget()->sizeHint().width() + scrollBar);
    adjustSize();
}

QStringList TLabelEditForm::texts() const
{
    QStringList out;
    for (const QLineEdit* e : edits_)
        out.push_back(e->text());
    return out;
}

void TLabelEditForm::OKButtonClick()
{
    std::vector<std::string> typed;
    for (const QString& t : texts())
        typed.push_back(t.toStdString());
    if (CheckRenameTexts(typed, prompter_))
        accept();
}

} // namespace qv
