#pragma once
// The window's song pictures: the preview page shows each picture the
// maker paints.
#include "picture/songpicturemaker.h"

namespace tovix {

class PreviewPage;

// Before each picture: the texts on the page, page number 8, the preview
// built (showSong not by the user).
PaintingHook ShowOnPreviewPage(PreviewPage& page);

}  // namespace tovix
