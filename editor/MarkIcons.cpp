#include "MarkIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

namespace {

const QColor kOutline(0x40, 0x40, 0x40);
const QColor kPaper(Qt::white);
const QColor kTornPart(0xB0, 0xB0, 0xB0);
const QColor kText(0x20, 0x40, 0x90);

// The sheet: a portrait page with a folded top-right corner.
QPainterPath sheetOutline() {
    QPainterPath path;
    path.moveTo(2.5, 0.5);
    path.lineTo(10.5, 0.5);
    path.lineTo(13.5, 3.5);
    path.lineTo(13.5, 15.5);
    path.lineTo(2.5, 15.5);
    path.closeSubpath();
    return path;
}

void drawFold(QPainter& painter) {
    painter.setPen(QPen(kOutline, 1));
    painter.drawPolyline(QPolygonF({QPointF(10.5, 0.5), QPointF(10.5, 3.5), QPointF(13.5, 3.5)}));
}

void drawTorn(QPainter& painter) {
    // The zigzag tear runs across the middle; below it the sheet is grey.
    QPolygonF zigzag;
    for (int i = 0; i <= 4; ++i) {
        zigzag << QPointF(2.5 + i * 2.75, (i % 2) ? 6.5 : 9.5);
    }
    QPainterPath lower;
    lower.moveTo(zigzag.first());
    for (const QPointF& point : zigzag) {
        lower.lineTo(point);
    }
    lower.lineTo(13.5, 15.5);
    lower.lineTo(2.5, 15.5);
    lower.closeSubpath();
    painter.fillPath(lower.intersected(sheetOutline()), kTornPart);
    painter.setPen(QPen(kOutline, 1));
    painter.drawPolyline(zigzag);
}

void drawTextLines(QPainter& painter) {
    painter.setPen(QPen(kText, 1));
    const int widths[] = {4, 7, 7, 5, 7, 6};
    for (int i = 0; i < 6; ++i) {
        const int y = 3 + 2 * i;
        painter.drawLine(4, y, 4 + widths[i], y);
    }
}

} // namespace

namespace MarkIcons {

QImage image(RowMark mark) {
    QImage result(16, 16, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPainterPath sheet = sheetOutline();
    painter.fillPath(sheet, kPaper);
    if (mark == MarkPartial) {
        drawTorn(painter);
    } else if (mark == MarkPresent) {
        drawTextLines(painter);
    }
    painter.setPen(QPen(kOutline, 1));
    painter.drawPath(sheet);
    drawFold(painter);
    return result;
}

const QIcon& icon(RowMark mark) {
    static const std::array<QIcon, 3> icons = {QIcon(QPixmap::fromImage(image(MarkMissing))),
                                               QIcon(QPixmap::fromImage(image(MarkPartial))),
                                               QIcon(QPixmap::fromImage(image(MarkPresent)))};
    return icons[size_t(mark)];
}

QIcon saveGlyph() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(QRect(1, 1, 14, 14), QColor(0x28, 0x48, 0x98));
    painter.fillRect(QRect(4, 1, 8, 5), Qt::white);
    painter.fillRect(QRect(9, 2, 2, 3), QColor(0x28, 0x48, 0x98));
    painter.fillRect(QRect(3, 9, 10, 6), QColor(0xE8, 0xE8, 0xE8));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(4, 11, 11, 11);
    painter.drawLine(4, 13, 11, 13);
    painter.setPen(QColor(0x10, 0x20, 0x50));
    painter.drawRect(QRect(0, 0, 15, 15));
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

} // namespace MarkIcons
