#include "chrome/artwork.h"

#include <QFile>

#include "chrome/coolform.h"
#include "picture/picturebackground.h"

// The resources live in a static library; nothing would pull them into the
// program unless they are registered by name.
static void RegisterArtwork() {
  Q_INIT_RESOURCE(artwork);
}

namespace tovix::chrome {
namespace {

void EnsureRegistered() {
  static const bool registered = (RegisterArtwork(), true);
  (void)registered;
}

QString SkinName(Skin skin) {
  return skin == Skin::Main ? "main" : "toolbar";
}

QString GlyphName(Glyph glyph) {
  switch (glyph) {
    case Glyph::Load:
      return "load";
    case Glyph::Play:
      return "play";
    case Glyph::Pause:
      return "pause";
    case Glyph::Stop:
      return "stop";
    case Glyph::Off:
      return "off";
    case Glyph::Home:
      return "home";
  }
  return {};
}

}  // namespace

QPixmap SkinPicture(Skin skin) {
  EnsureRegistered();
  return QPixmap(":/tovix/skins/" + SkinName(skin) + ".png");
}

std::vector<std::uint8_t> SkinMask2(Skin skin) {
  EnsureRegistered();
  QFile file(":/tovix/skins/" + SkinName(skin) + ".mask2");
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return {bytes.begin(), bytes.end()};
}

bool ApplySkin(TCoolForm& face, Skin skin) {
  face.setPicture(SkinPicture(skin));
  const std::vector<std::uint8_t> mask = SkinMask2(skin);
  return face.readMask2(mask) && face.regionMask().has_value();
}

QPixmap PageBackground() {
  // One copy of the picture in the program: the song pictures' own.
  return QPixmap::fromImage(SharedBackground());
}

QPixmap GlyphPicture(Glyph glyph) {
  EnsureRegistered();
  return QPixmap(":/tovix/glyphs/" + GlyphName(glyph) + ".png");
}

QIcon GlyphIcon(Glyph glyph) {
  return QIcon(GlyphPicture(glyph));
}

}  // namespace tovix::chrome
