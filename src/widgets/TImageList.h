#pragma once

#include <QImage>
#include <QList>
#include <QSize>

namespace corvane {

// An ordered list of same-sized pictures, addressed by index. Filling it does not notify the
// widgets that use it; they pick the new images up at their next change of state.
class TImageList {
public:
    TImageList() = default;
    explicit TImageList(QSize size) : m_size(size) {}

    QSize imageSize() const { return m_size; }
    void setImageSize(QSize size) { m_size = size; }
    int count() const { return static_cast<int>(m_images.size()); }
    bool isValidIndex(int i) const { return i >= 0 && i < count(); }
    const QImage& image(int i) const { return m_images.at(i); }

    void clear() { m_images.clear(); }
    void add(const QImage& image) { m_images.append(image); }
    void replace(QSize size, QList<QImage> images) {
        m_size = size;
        m_images = std::move(images);
    }

private:
    QSize m_size;
    QList<QImage> m_images;
};

}  // namespace corvane
