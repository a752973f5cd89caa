// The Edit menu's copy and paste of labels and crosspoints through the
// system clipboard, in the two private formats.
#include "matrix_grid.h"

#include "config/config_image.h"
#include "matrix/grid_clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <span>

namespace qv {

QString MatrixGrid::LabelsMimeType()
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QLatin1String(kLabelsFormat));
}

QString MatrixGrid::XPointsMimeType()
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QLatin1String(kCrosspointsFormat));
}

namespace {

QByteArray ClipboardBlock(const QString& mime, size_t size)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(mime))
        return {};
    QByteArray block = data->data(mime);
    return size_t(block.size()) == size ? block : QByteArray();
}

void PutOnClipboard(const QString& mime, const std::vector<uint8_t>& block)
{
    auto* data = new QMimeData;
    data->setData(mime, QByteArray(reinterpret_cast<const char*>(block.data()), qsizetype(block.size())));
    QApplication::clipboard()->setMimeData(data);
}

std::span<const uint8_t> Bytes(const QByteArray& a)
{
    return {reinterpret_cast<const uint8_t*>(a.constData()), size_t(a.size())};
}

} // namespace

bool MatrixGrid::canCopy() const
{
    return imageShown_ && !remote_;
}

bool MatrixGrid::canPasteLabels() const
{
    return imageShown_ && !remote_ && !ClipboardBlock(LabelsMimeType(), kLabelsBlockSize).isEmpty();
}

bool MatrixGrid::canPasteXPoints() const
{
    return imageShown_ && !remote_ && !ClipboardBlock(XPointsMimeType(), kCrosspointsBlockSize).isEmpty();
}

void MatrixGrid::copySelectedLabels()
{
    if (canCopy())
        PutOnClipboard(LabelsMimeType(), CopyLabels(image_, selection_));
}

void MatrixGrid::copySelectedXPoints()
{
    if (canCopy())
        PutOnClipboard(XPointsMimeType(), CopyCrosspoints(image_, selection_));
}

void MatrixGrid::pasteLabels()
{
    if (!canPasteLabels())
        return;
    if (PasteLabels(image_, Bytes(ClipboardBlock(LabelsMimeType(), kLabelsBlockSize)))) {
        model_.rebuildLabels(image_);
        changed();
    }
}

void MatrixGrid::pasteXPoints()
{
    if (!canPasteXPoints())
        return;
    if (PasteCrosspoints(image_, Bytes(ClipboardBlock(XPointsMimeType(), kCrosspointsBlockSize)))) {
        model_.rebuildGrid(image_);
        changed();
    }
}

} // namespace qv
