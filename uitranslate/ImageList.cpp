#include "ImageList.h"

#include <QPixmap>

ImageList::ImageList(const QString& name, QSize size, QObject* parent) : QObject(parent), m_size(size) {
    setObjectName(name);
}

QIcon ImageList::icon(int index) const {
    return index >= 0 && index < m_icons.size() ? m_icons[index] : QIcon();
}

int ImageList::add(const QIcon& icon) {
    m_icons.append(icon);
    return m_icons.size() - 1;
}

int ImageList::addMasked(const QImage& image) {
    return add(QIcon(QPixmap::fromImage(masked(image))));
}

QImage ImageList::masked(const QImage& image) {
    if (image.isNull()) {
        return image;
    }
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = result.pixel(0, 0);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == transparent) {
                line[x] = qRgba(qRed(transparent), qGreen(transparent), qBlue(transparent), 0);
            }
        }
    }
    return result;
}

void ImageList::clear() {
    m_icons.clear();
}
