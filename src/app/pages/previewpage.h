#pragma once
// The preview page previewPage: the song picture's layout editor and the stage
// every song picture is rendered from.
#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "picture/songpainter.h"
#include "picture/songtexts.h"
#include "settings/settings.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace tovix {

class UpDownControl;
class PreviewImage;

// What the page needs from the main window. Every hook has a harmless
// default, so the page also runs alone (tests, benchmarks).
class PreviewHost {
 public:
  virtual ~PreviewHost() = default;
  // Step 1 of showPreviewPage by the user, before the labels are set: page
  // number 8, ResetPageView, the hint in LED, and the song texts composed
  // from the player's last file (handed back through SetSongTexts).
  virtual void OpenPreviewByUser() {}
  // ShowCurrentPage of the main window.
  virtual void ShowCurrentPage() {}
  // PageNumber := 8, before a song's preview is built by the BIN run.
  virtual void SelectPreviewPage() {}
  // A pass is running: the page takes no editing (fonts, positions, the
  // background chooser), so a click meant for another page's Start, landing
  // on the picture while the BIN run shows it, opens no dialog mid-run.
  virtual bool PassRunning() const { return false; }
};

// Asks the user for a font; nullopt when cancelled. Tests replace it.
using FontChooser =
    std::function<std::optional<FontSetting>(const FontSetting& preset, QWidget* parent)>;
// Asks for a label position; returns the answer, or the preset when
// cancelled. caption is Windows-1252.
using PositionPrompt = std::function<std::string(const std::string& caption,
                                                 const std::string& preset, QWidget* parent)>;
// Asks for a background file; nullopt when cancelled. All texts Windows-1252.
using PictureChooser = std::function<std::optional<std::string>(
    const std::string& startFile, const std::string& filter, QWidget* parent)>;

class PreviewPage : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewPage(QWidget* parent = nullptr);
  ~PreviewPage() override;

  // Null restores the default host.
  void SetHost(PreviewHost* host) { host_ = host ? host : &defaultHost_; }
  PreviewHost& Host() const { return *host_; }

  // Controls, by their objectName.
  QLabel* Artist() const { return labels_[0]; }
  QLabel* Title() const { return labels_[1]; }
  QLabel* Laufzeit() const { return labels_[2]; }
  QLabel* Tech() const { return labels_[3]; }
  QLabel* Encoder() const { return labels_[4]; }
  QLabel* ArtistShadow() const { return shadows_[0]; }
  QLabel* TitleShadow() const { return shadows_[1]; }
  QLabel* LaufzeitShadow() const { return shadows_[2]; }
  QLabel* TechShadow() const { return shadows_[3]; }
  QLabel* EncoderShadow() const { return shadows_[4]; }
  QWidget* OverT() const { return overT_; }
  QLabel* OverB() const { return overB_; }
  QWidget* OverL() const { return overL_; }
  QWidget* OverR() const { return overR_; }
  UpDownControl* UpDown() const { return upDown_; }
  QToolButton* Over0() const { return over0_; }
  QLabel* Label7() const { return label7_; }
  QPushButton* Kacheln() const { return layoutButtons_[4]; }
  QPushButton* bmpCenter() const { return layoutButtons_[3]; }
  QPushButton* Scale() const { return layoutButtons_[1]; }
  QPushButton* FullSize() const { return layoutButtons_[0]; }
  QPushButton* Rescale() const { return layoutButtons_[2]; }
  PreviewImage* Image1() const { return image1_; }
  // Shown over the black area while no background is loaded; never part of
  // a song picture.
  QLabel* EmptyHint() const { return emptyHint_; }

  // Fonts, positions (shadows at +1, +1), scale mode, margin and background
  // path from the settings, then the background is loaded (errors ignored).
  // A stored bold or italic flag that is false removes nothing: the page's
  // own style (Font1 bold, Font2 bold italic) stays.
  void ApplySettings(const Settings& settings);
  // Stores fonts, label positions, scale mode, the height of OverT as
  // Overscan and the background path.
  void StoreSettings(Settings& settings) const;

  // The captions, hints and mode names of the current language.
  void ApplyLanguage();

  // The five texts of the current song (Windows-1252; OEM text in artist
  // and title is converted). An empty text selects the label's sample text.
  void SetSongTexts(const std::string& artist, const std::string& title, const std::string& tech,
                    const std::string& encoder, const std::string& runningTime);
  void SetSongTexts(const SongTexts& texts) { songTexts_ = texts; }

  // Builds the preview: labels and shadows from the song texts, the page
  // shown through the host, the scale mode re-applied (tiling excepted).
  // byUser: from the page button or the toolbar; does nothing when the page
  // is already visible.
  void showSong(bool byUser);

  // Scale modes 0 to 4; each of 0..3 reloads the file after tiling.
  void showFullSize();
  void scaleBackground();
  void rescaleBackground();
  void centerBackground();
  void tileBackground();
  std::uint8_t ScaleMode() const { return scaleMode_; }
  // The margin: takeMargin takes UpDown's position; resetMargin resets to 30.
  void takeMargin();
  void resetMargin();
  void SetOverscan(int margin);
  int Overscan() const;

  // Font chooser for Font1 (Artist/Title) or Font2 (the other three).
  void chooseTitleFont();
  void chooseDetailsFont();
  FontSetting Font1() const { return font1_; }
  FontSetting Font2() const { return font2_; }
  void SetFont1(const FontSetting& font);
  void SetFont2(const FontSetting& font);

  // Right-click positioning of one of the five text labels.
  void placeLabel(QLabel* label, Qt::MouseButton button);
  // Moves label i (0 Artist .. 4 Encoder) and its shadow.
  void SetLabelPosition(int index, int left, int top);

  // The background chooser and loader.
  void chooseBackground();
  // The pages' shared background: the picture shown while no picture of the
  // user's is loaded (none chosen, or the chosen one unreadable).
  void SetSharedBackground(const QImage& picture);
  // Loads a BMP when the upper-cased path holds ".BMP", otherwise a JPEG; an
  // empty path loads nothing. Throws IoError or the JPEG component's error;
  // the picture is then the shared background.
  void LoadBackgroundPicture(const std::string& path);
  std::string BitmapFile() const { return bitmapFile_; }
  void SetBitmapFile(const std::string& path) { bitmapFile_ = path; }
  // The picture as loaded (or the tiled canvas in mode 4); null when none.
  const QImage& Picture() const;

  // Hides or shows the layout buttons, UpDown, Over0 and Label7.
  void SetLayoutControlsVisible(bool visible);

  // Fonts, label positions, scale mode and margin as the painter takes them.
  PictureLayout Layout() const;
  // The 704 x 480 song picture as the page shows it, without the layout
  // controls; works with the page hidden or off-screen.
  QImage RenderSongPicture() const;
  // Saves the song picture as a 24-bit BMP at bmpName and, when save2Jpeg
  // is set, jpegPath is not empty and (replaceBin is set or jpegPath does
  // not exist), a JPEG copy made from that BMP. Throws on a failed write.
  void SaveSongPicture(const std::string& bmpName, const std::string& jpegPath, bool save2Jpeg,
                       bool replaceBin);

  // Dialog seams for tests; the defaults are Qt's standard dialogs.
  void SetFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }
  void SetPositionPrompt(PositionPrompt prompt) { positionPrompt_ = std::move(prompt); }
  void SetPictureChooser(PictureChooser chooser) { pictureChooser_ = std::move(chooser); }
  // Reports a failed load of a chosen picture; the default is a message box.
  void SetErrorReporter(std::function<void(const std::string&)> report) {
    reportError_ = std::move(report);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The song picture; the labels and Image1 over it only take the mouse.
  void paintEvent(QPaintEvent* event) override;

 private:
  void BuildControls();
  void ApplyLabelFonts();
  void LayOutPicture(std::uint8_t mode);
  void ReloadAfterTiling();
  void LoadChosenPicture(const std::string& path);
  void UpdateEmptyHint();

  PreviewHost defaultHost_;
  PreviewHost* host_ = &defaultHost_;
  std::array<QLabel*, 5> labels_{};
  std::array<QLabel*, 5> shadows_{};
  std::array<QPushButton*, 5> layoutButtons_{};  // by mode 0..4
  PreviewImage* image1_ = nullptr;
  QLabel* emptyHint_ = nullptr;
  bool hasBackground_ = false;  // a picture of the user's is loaded
  QImage sharedBackground_;
  bool layoutControlsVisible_ = true;
  QWidget* overT_ = nullptr;
  QLabel* overB_ = nullptr;
  QWidget* overL_ = nullptr;
  QWidget* overR_ = nullptr;
  UpDownControl* upDown_ = nullptr;
  QToolButton* over0_ = nullptr;
  QLabel* label7_ = nullptr;

  // The form's fonts until the settings are applied.
  FontSetting font1_ = Settings{}.Font1;
  FontSetting font2_ = Settings{}.Font2;
  std::uint8_t scaleMode_ = 0;
  std::string bitmapFile_;
  // artist, title, tech, encoder, running time
  SongTexts songTexts_;
  PictureLabels labelTexts_{};  // as the labels show them

  FontChooser fontChooser_;
  PositionPrompt positionPrompt_;
  PictureChooser pictureChooser_;
  std::function<void(const std::string&)> reportError_;
};

}  // namespace tovix
