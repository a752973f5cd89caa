#include "lcd_pictures.h"

#include "options/colour_lists.h"

#include <QPainter>
#include <QSaveFile>

namespace qv {

namespace {

constexpr int kColours = 8;

} // namespace

QImage LcdImageOf(const LcdPicture& picture)
{
    QImage image(kLcdWidth, kLcdHeight, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int code = 0; code < kColours; ++code)
        table << (0xFF000000u | ColourCodeRgb(code));
    image.setColorTable(table);
    for (int y = 0; y < kLcdHeight; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < kLcdWidth; ++x)
            line[x] = picture.at(x, y);
    }
    return image;
}

QImage BackdropPicture()
{
    QImage image(kLcdWidth, kLcdHeight, QImage::Format_RGB32);
    image.fill(QColor(40, 40, 40));
    QPainter p(&image);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(QColor(190, 190, 190));
    p.drawText(QRect(8, 4, 400, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Preset 1 - Preset 1"));
    p.drawLine(0, 22, kLcdWidth, 22);
    // Meters at different levels, as a display in use shows them.
    for (int channel = 0; channel < 16; ++channel) {
        const int x = 72 + channel * 35;
        const int top = 70 + (channel * 53) % 250;
        p.setPen(QColor(150, 150, 150));
        p.drawRect(x - 1, 39, 25, 361);
        p.fillRect(x + 1, top, 22, 400 - top, QColor(110 + (channel % 3) * 30, 110 + (channel % 3) * 30,
                                                    110 + (channel % 3) * 30));
        p.drawText(QRect(x - 6, 406, 36, 14), Qt::AlignCenter, QStringLiteral("PPM%1").arg(channel + 1));
    }
    for (int db = 0; db >= -60; db -= 10)
        p.drawText(QRect(4, 40 - db * 6 - 7, 50, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(db));
    // The softkey row.
    const char* keys[] = {"PPM", "PHASE", "LEQ(M)", "PRESET", "ROUTE", "GAIN", "SETUP", "MENU"};
    for (int k = 0; k < 8; ++k) {
        const QRect key(k * 80 + 2, 451, 76, 27);
        p.fillRect(key, QColor(80, 80, 80));
        p.setPen(QColor(220, 220, 220));
        p.drawRect(key);
        p.drawText(key, Qt::AlignCenter, QString::fromLatin1(keys[k]));
    }
    p.end();
    return image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
}

bool WritePicture(const QImage& picture, const QString& path, const char* format, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (!picture.save(&file, format)) {
        file.cancelWriting();
        error = QStringLiteral("The picture could not be written.");
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace qv
