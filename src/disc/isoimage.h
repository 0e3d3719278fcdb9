#pragma once
// The CD image: an ISO 9660 level-1 volume written with libisofs from a
// disc tree, beside its final name and put in place only when complete.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "disc/disctree.h"
#include "platform/passreport.h"

namespace tovix {

// A run that was cancelled: nothing was written.
class ImageCancelled : public std::runtime_error {
 public:
  ImageCancelled() : std::runtime_error("cancelled") {}
};

// Writes the image of tree to isoPath (Windows-1252). An existing file is
// replaced only with replace. Throws IoError when the image cannot be made
// or written (nothing is left behind), ImageCancelled when the report
// stopped it. Returns the image size in bytes.
std::int64_t WriteIsoImage(const DiscTree& tree, const std::string& isoPath, bool replace,
                           PassReport* report = nullptr);

}  // namespace tovix
