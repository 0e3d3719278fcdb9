#pragma once
// TJpegToBmp: the component through which the program meets JPEG files.
#include <string>
#include <string_view>

#include "picture/bitmap.h"

namespace tovix {

// A JPEG stream the codec rejects: "JPEG-Fehler #%d" with libjpeg's message
// number (a truncated stream counts as damaged).
class JpegError : public WordedError {
 public:
  explicit JpegError(int msgCode);
  int code() const { return code_; }

 private:
  int code_;
};

// JPEG bytes of a 24-bit picture: baseline, libjpeg's defaults otherwise.
// Throws BitmapError for an empty or inconsistent bitmap, JpegError when the
// codec fails.
std::string EncodeJpeg(const Bitmap& bitmap, int quality = 100);

// A JPEG stream decoded at full scale into a 24-bit picture (grey and CMYK
// streams are converted). Throws JpegError.
Bitmap DecodeJpeg(std::string_view bytes);

// Decodes JPEG files into a picture and encodes BMP files as JPEG files.
// Callers set the properties, then call one of the two operations; errors
// come back as IoError, BitmapError or JpegError.
class TJpegToBmp {
 public:
  // The bitmap that receives a decoded JPEG (not owned).
  Bitmap* Image() const { return image_; }
  void SetImage(Bitmap* image) { image_ = image; }
  // Path of the bitmap file to encode.
  const std::string& BmpFile() const { return bmpFile_; }
  void SetBmpFile(const std::string& path) { bmpFile_ = path; }
  // Path of the JPEG file to decode, or to write when encoding.
  const std::string& JpegFile() const { return jpegFile_; }
  void SetJpegFile(const std::string& path) { jpegFile_ = path; }

  // Decodes JpegFile into Image as a 24-bit picture. Does nothing when Image
  // is not set; Image keeps its previous picture when decoding fails.
  void JpegToImage();
  // Encodes BmpFile into JpegFile at quality 100. Does nothing unless both
  // paths are set. JpegFile is replaced only by a complete file: a failure
  // leaves an existing JpegFile as it was and creates none.
  void BmpToJpeg();

 private:
  Bitmap* image_ = nullptr;
  std::string bmpFile_;
  std::string jpegFile_;
};

}  // namespace tovix
