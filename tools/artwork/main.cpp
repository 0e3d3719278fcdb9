// Draws the program's artwork and builds the window masks:
//   tovix-artwork RESOURCE_FOLDER
// The masks must come out with the figures the windows are laid out for;
// the program stops with a message when they do not.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "chrome/regiondata.h"
#include "paint.h"
#include "shapes.h"

namespace {

struct Figures {
  std::size_t size;
  std::size_t rects;
  tovix::chrome::MaskRect bounds;
};

bool WriteBytes(const QString& path, const std::vector<std::uint8_t>& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  const auto size = static_cast<qint64>(bytes.size());
  return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size && file.flush();
}

bool SavePicture(const QImage& image, const QString& path) {
  if (image.save(path, "PNG", 9)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

bool SaveMask(const artwork::Outline& outline, const Figures& want, const QString& path) {
  const tovix::chrome::RegionMask mask = artwork::MaskOf(outline);
  const std::vector<std::uint8_t> data = tovix::chrome::EncodeRegionData(mask);
  if (data.size() != want.size || mask.rects.size() != want.rects ||
      !(mask.bounds == want.bounds)) {
    std::fprintf(stderr, "%s: %zu bytes, %zu rectangles, box %d %d %d %d; wanted %zu, %zu\n",
                 qPrintable(path), data.size(), mask.rects.size(), mask.bounds.left,
                 mask.bounds.top, mask.bounds.right, mask.bounds.bottom, want.size, want.rects);
    return false;
  }
  if (WriteBytes(path, tovix::chrome::WriteMask2(std::span<const std::uint8_t>(data)))) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: tovix-artwork RESOURCE_FOLDER\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath("skins") || !out.mkpath("glyphs")) {
    std::fprintf(stderr, "cannot create the folders in %s\n", argv[1]);
    return 1;
  }
  const artwork::Outline main = artwork::MainOutline();
  const artwork::Outline toolbar = artwork::ToolbarOutline();
  bool ok = SaveMask(main, {1024, 62, {2, 1, 777, 579}}, out.filePath("skins/main.mask2"));
  ok = SaveMask(toolbar, {336, 19, {5, 9, 81, 299}}, out.filePath("skins/toolbar.mask2")) && ok;
  const QImage mainSkin = artwork::PaintMainSkin(main);
  ok = SavePicture(mainSkin, out.filePath("skins/main.png")) && ok;
  ok = SavePicture(artwork::PaintIcon(mainSkin), out.filePath("tovix.png")) && ok;
  ok = SavePicture(artwork::PaintToolbarSkin(toolbar), out.filePath("skins/toolbar.png")) && ok;
  ok = SavePicture(artwork::PaintPageBackground(), out.filePath("skins/page.png")) && ok;
  using artwork::GlyphKind;
  const std::pair<GlyphKind, const char*> glyphs[] = {
      {GlyphKind::Load, "load"}, {GlyphKind::Play, "play"}, {GlyphKind::Pause, "pause"},
      {GlyphKind::Stop, "stop"}, {GlyphKind::Off, "off"},   {GlyphKind::Home, "home"}};
  for (const auto& [kind, name] : glyphs)
    ok = SavePicture(artwork::PaintGlyph(kind), out.filePath(QString("glyphs/%1.png").arg(name))) &&
         ok;
  return ok ? 0 : 1;
}
