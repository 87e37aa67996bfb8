#include "window/picture_file.h"

#include "resources/picture_end.h"
#include "base/file_error.h"
#include "base/whole_file.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace lexoria {

namespace {

[[noreturn]] void unreadable(const std::string& path, const QString& reason)
{
    throw FileError(fileMessage(path, "is no readable picture: " + reason.toStdString()));
}

std::string pictureBytes(const std::string& path)
{
    std::string bytes = readWholeFile(path);
    if (bytes.empty())
        throw FileError(fileMessage(path, "is empty, not a picture"));
    return bytes;
}

void checkEnd(const std::string& path, const QByteArray& format, const std::string& bytes)
{
    if (isCutShort(format.toStdString(), bytes))
        unreadable(path, "the " + QString::fromLatin1(format).toUpper() + " data ends early");
}

QImage readImage(const std::string& path, QImageReader& reader)
{
    QImage image = reader.read();
    if (image.isNull())
        unreadable(path, reader.errorString());
    return image;
}

// Decodes the bytes of path; decode receives the checked reader.
template <typename Decode>
auto decodePicture(const std::string& path, Decode decode)
{
    const std::string bytes = pictureBytes(path);
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        unreadable(path, reader.errorString());
    checkEnd(path, reader.format(), bytes);
    return decode(reader);
}

}  // namespace

QPixmap readPicture(const std::string& path)
{
    return decodePicture(path, [&](QImageReader& reader) {
        return QPixmap::fromImage(readImage(path, reader));
    });
}

QIcon readIcon(const std::string& path)
{
    return decodePicture(path, [&](QImageReader& reader) {
        QIcon icon;
        do
            icon.addPixmap(QPixmap::fromImage(readImage(path, reader)));
        while (reader.jumpToNextImage());
        return icon;
    });
}

}  // namespace lexoria
