#include "program/dwelling/ToolbarPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace ampleton {

namespace {

const QColor kOutline(60, 60, 66);

void drawOpenFolder(QPainter& p) {
    QPainterPath back;
    back.moveTo(3.5, 6.5);
    back.lineTo(8.5, 6.5);
    back.lineTo(10, 8);
    back.lineTo(17.5, 8);
    back.lineTo(17.5, 17.5);
    back.lineTo(3.5, 17.5);
    back.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(222, 170, 48));
    p.drawPath(back);
    QPainterPath flap;
    flap.moveTo(3.5, 17.5);
    flap.lineTo(6.5, 11.5);
    flap.lineTo(20.5, 11.5);
    flap.lineTo(17.5, 17.5);
    flap.closeSubpath();
    p.setBrush(QColor(250, 214, 100));
    p.drawPath(flap);
}

void drawFloppyDisk(QPainter& p) {
    QPainterPath body;
    body.moveTo(4.5, 3.5);
    body.lineTo(16.5, 3.5);
    body.lineTo(18.5, 5.5);
    body.lineTo(18.5, 18.5);
    body.lineTo(4.5, 18.5);
    body.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(48, 84, 160));
    p.drawPath(body);
    p.setBrush(QColor(205, 210, 218)); // metal shutter
    p.drawRect(QRectF(7.5, 3.5, 7, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(48, 84, 160));
    p.drawRect(QRectF(11.5, 4.5, 2, 3));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white); // label
    p.drawRect(QRectF(6.5, 11.5, 10, 7));
    p.setPen(QPen(QColor(150, 160, 180), 1));
    p.drawLine(QPointF(8, 14), QPointF(15, 14));
    p.drawLine(QPointF(8, 16), QPointF(15, 16));
}

void drawDocument(QPainter& p) {
    QPainterPath page;
    page.moveTo(5.5, 2.5);
    page.lineTo(13.5, 2.5);
    page.lineTo(17.5, 6.5);
    page.lineTo(17.5, 19.5);
    page.lineTo(5.5, 19.5);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(13.5, 2.5);
    corner.lineTo(13.5, 6.5);
    corner.lineTo(17.5, 6.5);
    p.setBrush(QColor(220, 224, 230));
    p.drawPath(corner);
    p.setPen(QPen(QColor(70, 110, 180), 1));
    for (int y = 9; y <= 17; y += 2)
        p.drawLine(QPointF(7.5, y + 0.5), QPointF(y == 17 ? 12.5 : 15.5, y + 0.5));
}

void drawPrinter(QPainter& p) {
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white); // paper in
    p.drawRect(QRectF(7.5, 2.5, 8, 6));
    p.setBrush(QColor(176, 180, 188)); // body
    QPainterPath body;
    body.addRoundedRect(QRectF(3.5, 8.5, 16, 7), 1.5, 1.5);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 190, 90)); // power light
    p.drawRect(QRectF(16, 10, 2, 1.5));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white); // paper out
    p.drawRect(QRectF(6.5, 13.5, 10, 6));
    p.setPen(QPen(QColor(120, 120, 130), 1));
    p.drawLine(QPointF(8, 16), QPointF(15, 16));
    p.drawLine(QPointF(8, 18), QPointF(13, 18));
}

QImage drawImage(ToolbarImage image, qreal dpr) {
    QImage img(QSize(qRound(kToolbarCellWidth * dpr), qRound(kToolbarCellHeight * dpr)),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (image) {
    case ToolbarImage::OpenFolder:
        drawOpenFolder(p);
        break;
    case ToolbarImage::FloppyDisk:
        drawFloppyDisk(p);
        break;
    case ToolbarImage::Document:
        drawDocument(p);
        break;
    case ToolbarImage::Printer:
        drawPrinter(p);
        break;
    }
    return img;
}

// Grey: the image's brightness only, faded, as a disabled button shows it.
QImage greyed(QImage img) {
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c) * 9 / 20;
            const int g = (qGray(c) + 255) / 2 * a / 255;
            line[x] = qRgba(g, g, g, a);
        }
    }
    return img;
}

} // namespace

QPixmap toolbarCell(ToolbarImage image, ButtonState state, qreal dpr) {
    QImage cell(QSize(qRound(kToolbarCellWidth * dpr), qRound(kToolbarCellHeight * dpr)),
                QImage::Format_ARGB32_Premultiplied);
    cell.setDevicePixelRatio(dpr);
    cell.fill(Qt::transparent);
    QPainter p(&cell);
    const QRectF frame(0.5, 0.5, kToolbarCellWidth - 1, kToolbarCellHeight - 1);
    const QColor light(255, 255, 255), dark(128, 128, 136);
    auto bevel = [&](const QColor& topLeft, const QColor& bottomRight) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(topLeft, 0));
        p.drawLine(frame.topLeft(), frame.topRight());
        p.drawLine(frame.topLeft(), frame.bottomLeft());
        p.setPen(QPen(bottomRight, 0));
        p.drawLine(frame.bottomLeft(), frame.bottomRight());
        p.drawLine(frame.topRight(), frame.bottomRight());
    };
    QImage picture = drawImage(image, dpr);
    QPointF at(0, 0);
    switch (state) {
    case ButtonState::Flat:
        break;
    case ButtonState::Raised:
        bevel(light, dark);
        break;
    case ButtonState::Sunken:
        p.fillRect(frame, QColor(0, 0, 0, 18));
        bevel(dark, light);
        at = QPointF(1, 1);
        break;
    case ButtonState::Grey:
        picture = greyed(std::move(picture));
        break;
    }
    p.drawImage(at, picture);
    p.end();
    return QPixmap::fromImage(cell);
}

} // namespace ampleton
