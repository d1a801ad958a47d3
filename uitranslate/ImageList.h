#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QObject>

// A named list of same-sized images, addressed by index (ilMain, ilFlags16).
class ImageList : public QObject {
    Q_OBJECT
public:
    ImageList(const QString& name, QSize size, QObject* parent = nullptr);

    QSize imageSize() const { return m_size; }
    int count() const { return m_icons.size(); }
    QIcon icon(int index) const;
    int add(const QIcon& icon);
    // Adds masked(image), as for a masked bitmap.
    int addMasked(const QImage& image);
    // A copy in which every pixel of the top-left pixel's colour is fully transparent.
    static QImage masked(const QImage& image);
    void clear();

private:
    QSize m_size;
    QList<QIcon> m_icons;
};
