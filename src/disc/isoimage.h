#pragma once
// The CD image: an ISO 9660 level-1 volume written with libisofs from a
// disc tree, beside its final name and put in place only when complete.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "disc/disctree.h"

namespace tovix {

class ImageObserver {
 public:
  virtual ~ImageObserver() = default;
  // Bytes of the image written so far, of total.
  virtual void Progress(std::int64_t done, std::int64_t total) { (void)done, (void)total; }
  // Asked between pieces; false cancels the run.
  virtual bool GoOn() { return true; }
};

// A run that was cancelled: nothing was written.
class ImageCancelled : public std::runtime_error {
 public:
  ImageCancelled() : std::runtime_error("cancelled") {}
};

// Writes the image of tree to isoPath (Windows-1252). An existing file is
// replaced only with replace. Throws IoError when the image cannot be made
// or written (nothing is left behind), ImageCancelled when the observer
// stopped it. Returns the image size in bytes.
std::int64_t WriteIsoImage(const DiscTree& tree, const std::string& isoPath, bool replace,
                           ImageObserver* observer = nullptr);

}  // namespace tovix
