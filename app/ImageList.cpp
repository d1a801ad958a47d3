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
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    if (!masked.isNull()) {
        const QRgb transparent = masked.pixel(0, 0);
        for (int y = 0; y < masked.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
            for (int x = 0; x < masked.width(); ++x) {
                if (line[x] == transparent) {
                    line[x] = 0;
                }
            }
        }
    }
    return add(QIcon(QPixmap::fromImage(masked)));
}

void ImageList::clear() {
    m_icons.clear();
}
