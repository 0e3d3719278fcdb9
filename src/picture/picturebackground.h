#pragma once
// The background pictures of the song picture: a user's BMP or JPEG file,
// and the pages' shared background shown while there is none.
#include <QImage>
#include <string>

namespace tovix {

// Loads a BMP when the upper-cased path holds ".BMP", otherwise a JPEG. Null
// for an empty path or a picture without pixels; throws IoError or the JPEG
// component's error when the file cannot be read. The picture is in
// QImage::Format_RGB32, the painter's own.
QImage ReadBackgroundPicture(const std::string& path);

// The 708 x 419 background shared by all pages.
QImage SharedBackground();

// The background of a run: the picture at path, or the shared one when
// there is none or it cannot be read (unreadable is then set for a path
// that is not empty).
QImage RunBackground(const std::string& path, bool* unreadable = nullptr);

}  // namespace tovix
