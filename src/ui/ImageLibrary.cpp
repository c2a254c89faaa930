#include "ui/ImageLibrary.h"

#include "widgets/TImageList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QResource>

#include <atomic>
#include <map>

namespace corvane {

namespace {

// A library holds a few dozen pictures of icon size; anything far beyond is not ours.
constexpr int kMaxImages = 1024;
constexpr int kMaxSide = 512;

// The library registered under a root of its own for as long as this object lives.
class MountedLibrary {
public:
    explicit MountedLibrary(const QString& path) {
        static std::atomic<int> counter{0};
        m_root = QStringLiteral("/corvane-library-%1").arg(++counter);
        m_ok = QResource::registerResource(path, m_root);
        m_path = path;
    }
    ~MountedLibrary() {
        if (m_ok)
            QResource::unregisterResource(m_path, m_root);
    }
    MountedLibrary(const MountedLibrary&) = delete;
    MountedLibrary& operator=(const MountedLibrary&) = delete;

    bool ok() const { return m_ok; }
    QString folder(const QString& name) const { return QStringLiteral(":%1/%2").arg(m_root, name); }

private:
    QString m_root;
    QString m_path;
    bool m_ok = false;
};

bool readImage(const QString& path, QImage& image) {
    QImageReader reader(path, "PNG");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide)
        return false;
    image = reader.read().convertToFormat(QImage::Format_ARGB32);
    return !image.isNull();
}

}  // namespace

QString imageLibraryPath(const QString& file) {
    if (QFileInfo(file).isAbsolute() || !QCoreApplication::instance())
        return file;
    return QDir(QCoreApplication::applicationDirPath()).filePath(file);
}

QString LoadImageList(const QString& file, const QString& resource, TImageList* list) {
    if (file.isEmpty() || resource.isEmpty() || !list)
        return {};
    const QString path = imageLibraryPath(file);
    if (!QFileInfo(path).isFile())
        return {};
    MountedLibrary library(path);
    if (!library.ok())
        return {};
    const QDir folder(library.folder(resource));
    if (resource.contains(QLatin1Char('/')) || !folder.exists())
        return QStringLiteral("Resource %1 not found").arg(resource);

    // Pictures are numbered by their index: 00.png, 01.png, ...
    std::map<int, QString> numbered;
    for (const QString& name : folder.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        bool isNumber = false;
        const int index = QFileInfo(name).completeBaseName().toInt(&isNumber);
        if (isNumber && index >= 0 && index < kMaxImages)
            numbered.emplace(index, folder.filePath(name));
    }
    QList<QImage> images;
    QSize size;
    int expected = 0;
    for (const auto& [index, picture] : numbered) {
        QImage image;
        if (index != expected++ || !readImage(picture, image))
            return QStringLiteral("Resource %1 not found").arg(resource);
        if (!size.isValid())
            size = image.size();
        images.append(image.size() == size
                          ? image
                          : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    if (images.isEmpty())
        return QStringLiteral("Resource %1 not found").arg(resource);
    list->replace(size, std::move(images));
    return {};
}

QPixmap LoadLibraryPicture(const QString& file, const QString& name) {
    const QString path = imageLibraryPath(file);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || !QFileInfo(path).isFile())
        return {};
    MountedLibrary library(path);
    if (!library.ok())
        return {};
    QImage image;
    if (!readImage(
            library.folder(QStringLiteral("PICTURES")) + QLatin1Char('/') + name + QStringLiteral(".png"),
            image))
        return {};
    return QPixmap::fromImage(image);
}

}  // namespace corvane
