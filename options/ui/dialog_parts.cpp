#include "dialog_parts.h"

#include "options/colour_lists.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace qv {

namespace {
constexpr int kSwatch = 12;

QIcon Swatch(uint32_t rgb)
{
    QPixmap pixmap(kSwatch, kSwatch);
    pixmap.fill(QColor::fromRgb(rgb));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, kSwatch - 1, kSwatch - 1);
    return QIcon(pixmap);
}
} // namespace

DialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout)
{
    DialogButtons b;
    b.ok = new QPushButton(QStringLiteral("OK"), &dialog);
    b.ok->setObjectName(QStringLiteral("OKButton"));
    b.ok->setDefault(true);
    b.cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    b.cancel->setObjectName(QStringLiteral("CancelButton"));
    QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(b.ok);
    row->addWidget(b.cancel);
    layout.addLayout(row);
    return b;
}

QComboBox* NewColourList(const QString& name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setIconSize(QSize(kSwatch, kSwatch));
    list->setMinimumContentsLength(10);
    return list;
}

void FillColourList(QComboBox& list, const QStringList& names, const std::vector<uint32_t>& rgb)
{
    const QSignalBlocker block(&list);
    list.clear();
    for (int k = 0; k < names.size(); ++k)
        list.addItem(Swatch(size_t(k) < rgb.size() ? rgb[size_t(k)] : 0), names[k]);
    list.setCurrentIndex(-1);
}

void FillCodeColourList(QComboBox& list)
{
    QStringList names;
    std::vector<uint32_t> rgb;
    for (const CodeColour& c : kCodeColours) {
        names << QLatin1String(c.name);
        rgb.push_back(ColourCodeRgb(c.code));
    }
    FillColourList(list, names, rgb);
}

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string TypedText(const QString& text)
{
    std::string out;
    for (QChar c : text)
        out += c.unicode() <= 0xFF ? char(c.unicode()) : '\x7F';
    return out;
}

} // namespace qv
