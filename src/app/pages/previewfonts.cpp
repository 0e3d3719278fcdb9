#include "app/pages/previewfonts.h"

#include "platform/codepage.h"

namespace tovix {

std::int32_t NumberFromColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(rgb.red()) |
                                   (static_cast<std::uint32_t>(rgb.green()) << 8) |
                                   (static_cast<std::uint32_t>(rgb.blue()) << 16));
}

std::string ToAnsi(const QString& text) {
  if (auto whole = platform::Utf8ToAnsi(text.toStdString())) return *whole;
  std::string result;
  for (const char32_t c : text.toUcs4()) {
    const auto ansi = platform::Utf8ToAnsi(QString::fromUcs4(&c, 1).toStdString());
    result += (ansi && ansi->size() == 1) ? *ansi : std::string(1, platform::kReplacementChar);
  }
  return result;
}

}  // namespace tovix
