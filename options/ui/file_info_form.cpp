#include "file_info_form.h"

#include "config/config_image.h"
#include "options/file_info.h"
#include "platform/host/prompter.h"
#include "dialog_support.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr int kRows = 6;
constexpr int kCaptionWidth = 150;
constexpr int kValueWidth = 130;

} // namespace

TFileInfoForm::TFileInfoForm(ConfigImage& image, bool versionOverride, Prompter& prompter, QWidget* parent)
    : QDialog(parent), image_(image), versionOverride_(versionOverride), prompter_(prompter)
{
    setObjectName("FileInfoForm");
    setWindowTitle("File information.");
    setWindowModality(Qt::ApplicationModal);

    grdInfo = new QTableWidget(kRows, 2, this);
    grdInfo->setObjectName("grdInfo");
    grdInfo->horizontalHeader()->hide();
    grdInfo->verticalHeader()->hide();
    grdInfo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdInfo->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdInfo->setSelectionMode(QAbstractItemView::SingleSelection);
    grdInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdInfo->setColumnWidth(0, kCaptionWidth);
    grdInfo->setColumnWidth(1, kValueWidth);
    const int rowHeight = grdInfo->verticalHeader()->defaultSectionSize();
    grdInfo->setFixedSize(kCaptionWidth + kValueWidth + 2 * grdInfo->frameWidth(),
                          kRows * rowHeight + 2 * grdInfo->frameWidth());
    connect(grdInfo, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { grdInfoDblClick(row); });

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(grdInfo);
    AddOkRow(*this, *layout);
}

void TFileInfoForm::fill()
{
    const auto rows = FileInfoRows(image_.trailer());
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < 2; ++c) {
            const std::string& text = c == 0 ? rows[size_t(r)].first : rows[size_t(r)].second;
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            grdInfo->setItem(r, c, item);
        }
    }
}

void TFileInfoForm::showInfo()
{
    fill();
    ShowOverParent(*this);
}

void TFileInfoForm::grdInfoDblClick(int row)
{
    if (!versionOverride_)
        return;
    const auto kind = FileInfoRow(row);
    const char* question = kind == FileInfoRow::Serial            ? kNewSerialText
                           : kind == FileInfoRow::SoftwareVersion ? kNewVersionText
                                                                  : nullptr;
    if (!question)
        return;
    const std::string current = FileInfoRows(image_.trailer())[size_t(row)].second;
    const std::optional<std::string> typed = prompter_.inputBox(question, question, current);
    if (typed && ChangeFileInfo(image_.trailer(), kind, *typed)) {
        // What a preset file keeps changed: saving it is offered again.
        image_.setModified(true);
        emit trailerChanged();
    }
    fill();
}

} // namespace qv
