#include "picture/picturebackground.h"

#include <algorithm>
#include <mutex>

#include "picture/bitmap.h"
#include "picture/jpgtobmp.h"
#include "platform/codepage.h"

// The resource of a static library is registered by hand, outside any
// namespace.
static void RegisterPictureResources() {
  Q_INIT_RESOURCE(picture);
}

namespace tovix {

namespace {

QImage ToQImage(const Bitmap& bitmap) {
  if (bitmap.empty() ||
      bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height * 3)
    return {};
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB888);
  const std::size_t row = static_cast<std::size_t>(bitmap.width) * 3;
  for (int y = 0; y < bitmap.height; ++y)
    std::copy_n(bitmap.pixels.data() + row * y, row, image.scanLine(y));
  // Converted once here, not each time a picture is painted over it.
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage ReadBackgroundPicture(const std::string& path) {
  if (path.empty()) return {};
  Bitmap bitmap;
  if (platform::UpperAscii(path).find(".BMP") != std::string::npos) {
    bitmap = ReadBmpFile(path);
  } else {
    TJpegToBmp jpeg;
    jpeg.SetImage(&bitmap);
    jpeg.SetJpegFile(path);
    jpeg.JpegToImage();
  }
  return ToQImage(bitmap);
}

QImage SharedBackground() {
  static std::once_flag once;
  std::call_once(once, RegisterPictureResources);
  return QImage(QStringLiteral(":/tovix/picture/page.png"));
}

QImage RunBackground(const std::string& path, bool* unreadable) {
  QImage picture;
  try {
    picture = ReadBackgroundPicture(path);
  } catch (const std::exception&) {
    picture = QImage();
  }
  if (unreadable) *unreadable = !path.empty() && picture.isNull();
  return picture.isNull() ? SharedBackground() : picture;
}

}  // namespace tovix
