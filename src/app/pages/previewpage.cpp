#include "app/pages/previewpage.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include "app/pages/previewcontrols.h"
#include "app/pages/previewdialogs.h"
#include "app/pages/previewfonts.h"
#include "lang/buildstrings.h"
#include "lang/sprachen.h"
#include "picture/layout.h"
#include "picture/picturebackground.h"
#include "platform/codepage.h"

namespace tovix {

namespace {

using picture::kPictureHeight;
using picture::kPictureWidth;

constexpr std::array<const char*, 5> kLabelNames = {"Artist", "Title", "Laufzeit", "Tech",
                                                    "Encoder"};
// Captions of the position prompt, by label.
constexpr std::array<int, 5> kPromptStrings = {str::kPositionArtist, str::kPositionTitle,
                                               str::kPositionRunningTime, str::kPositionTech,
                                               str::kPositionEncoder};
// Form defaults of the layout buttons, by mode, and their language strings.
const std::array<QString, 5> kButtonCaptions = {
    QString::fromUtf8("Bitmap in Originalgröße "), QString::fromUtf8("Bitmap passend vergrößern"),
    QString::fromUtf8("Bitmap in Overscan einpassen"), QString::fromUtf8("Bitmap zentrieren"),
    QString::fromUtf8("Bitmap kacheln")};
constexpr std::array<const char*, 5> kButtonNames = {"FullSize", "Scale", "Rescale", "bmpCenter",
                                                     "Kacheln"};
// Left to right along the bottom: Kacheln, bmpCenter, Scale, FullSize, Rescale.
constexpr std::array<int, 5> kButtonSlots = {3, 2, 4, 1, 0};

const QString kOverscanNotice = QString::fromUtf8(
    "Dieser (schwarz markierte) Teil des Bitmaps wird auf dem TV-Schirm leider nicht "
    "dargestellt...(Overscan)");
const QString kLabelHint =
    QString::fromUtf8("Doppelklick! zum Ändern der Textattribute, RechtsKlick zur Positionierung");
const QString kPictureHint = QString::fromUtf8("Doppelklick! zum Laden eines Bildes");

QFont PixelFont(int pixels, bool bold) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

QWidget* MakeBar(QWidget* parent, const char* name) {
  auto* bar = new QWidget(parent);
  bar->setObjectName(QLatin1String(name));
  bar->setAutoFillBackground(true);
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Window, Qt::black);
  bar->setPalette(palette);
  return bar;
}

}  // namespace

PreviewPage::PreviewPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Seite5"));
  RegisterTahomaFonts();
  setFixedSize(picture::kPreviewWidth, picture::kPreviewHeight);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  setPalette(palette);
  setFont(PixelFont(13, true));

  fontChooser_ = ChooseFont;
  positionPrompt_ = AskPosition;
  pictureChooser_ = ChoosePictureFile;
  reportError_ = [this](const std::string& message) {
    QMessageBox::warning(this, QStringLiteral("Tovix"), FromAnsi(message));
  };
  BuildControls();
}

PreviewPage::~PreviewPage() = default;

void PreviewPage::BuildControls() {
  // Siblings stack in the order of creation, so this is the drawing order
  // from the bottom up.
  image1_ = new PreviewImage(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setToolTip(kPictureHint);
  image1_->setGeometry(0, 0, kPictureWidth, kPictureHeight);
  connect(image1_, &PreviewImage::DoubleClicked, this, &PreviewPage::chooseBackground);

  // Without a background the labels (black by default) vanish on the black
  // area and the page would look empty; the hint tells how to load one and
  // takes the double click the missing picture cannot.
  emptyHint_ = new QLabel(kPictureHint, this);
  emptyHint_->setObjectName(QStringLiteral("EmptyHint"));
  emptyHint_->setAlignment(Qt::AlignCenter);
  emptyHint_->setWordWrap(true);
  emptyHint_->setFont(PixelFont(15, true));
  // Mid grey reads on the black area and on the light shared background.
  SetTextColor(emptyHint_, QColor(0x80, 0x80, 0x80));
  emptyHint_->setGeometry(90, 180, kPictureWidth - 180, 80);
  emptyHint_->installEventFilter(this);

  for (int i = 0; i < 5; ++i) {
    labels_[i] = new QLabel;
    labels_[i]->setObjectName(QLatin1String(kLabelNames[i]));
    shadows_[i] = new QLabel;
    shadows_[i]->setObjectName(QLatin1String(kLabelNames[i]) + QStringLiteral("Shadow"));
  }
  auto stack = [this](QLabel* label) {
    label->setParent(this);
    label->setTextFormat(Qt::PlainText);
    label->installEventFilter(this);
    label->raise();
  };
  for (int i : {4, 3, 2, 0}) stack(shadows_[i]);
  for (int i : {2, 3, 4, 0}) stack(labels_[i]);
  stack(shadows_[1]);
  stack(labels_[1]);
  for (QLabel* label : labels_) label->setToolTip(kLabelHint);

  overT_ = MakeBar(this, "OverT");
  overB_ = new QLabel(kOverscanNotice, this);
  overB_->setObjectName(QStringLiteral("OverB"));
  overB_->setAutoFillBackground(true);
  overB_->setAlignment(Qt::AlignCenter);
  {
    QPalette bar = overB_->palette();
    bar.setColor(QPalette::Window, Qt::black);
    // The bar's own sentence is black on black, whatever the desktop's
    // text colour: shown, it would run under the layout buttons.
    bar.setColor(QPalette::WindowText, Qt::black);
    overB_->setPalette(bar);
  }
  overL_ = MakeBar(this, "OverL");
  overR_ = MakeBar(this, "OverR");
  for (QWidget* bar : {overT_, static_cast<QWidget*>(overB_), overL_, overR_})
    bar->installEventFilter(this);

  label7_ = new QLabel(kOverscanNotice, overT_);
  label7_->setObjectName(QStringLiteral("Label7"));
  label7_->setFont(PixelFont(11, false));
  SetTextColor(label7_, QColor(0xC0, 0xC0, 0xC0));
  label7_->move(120, 8);
  label7_->adjustSize();

  const int buttonWidth = picture::kPreviewWidth / 5;
  for (int mode = 0; mode < 5; ++mode) {
    auto* button = new QPushButton(kButtonCaptions[mode], this);
    button->setObjectName(QLatin1String(kButtonNames[mode]));
    button->setFont(PixelFont(10, false));
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(kButtonSlots[mode] * buttonWidth, 465, buttonWidth, 16);
    layoutButtons_[mode] = button;
  }
  connect(layoutButtons_[0], &QPushButton::clicked, this, &PreviewPage::showFullSize);
  connect(layoutButtons_[1], &QPushButton::clicked, this, &PreviewPage::scaleBackground);
  connect(layoutButtons_[2], &QPushButton::clicked, this, &PreviewPage::rescaleBackground);
  connect(layoutButtons_[3], &QPushButton::clicked, this, &PreviewPage::centerBackground);
  connect(layoutButtons_[4], &QPushButton::clicked, this, &PreviewPage::tileBackground);

  upDown_ = new UpDownControl(this);
  upDown_->setObjectName(QStringLiteral("UpDown"));
  upDown_->setGeometry(666, 1, 22, 22);
  connect(upDown_, &UpDownControl::Clicked, this, &PreviewPage::takeMargin);
  over0_ = new QToolButton(this);
  over0_->setObjectName(QStringLiteral("Over0"));
  over0_->setText(QStringLiteral("[]"));
  over0_->setGeometry(688, 1, 22, 22);
  connect(over0_, &QToolButton::clicked, this, &PreviewPage::resetMargin);

  ApplyLabelFonts();
  const Settings defaults;
  for (int i = 0; i < 5; ++i)
    SetLabelPosition(i, defaults.Positions[i].left, defaults.Positions[i].top);
  SetOverscan(30);
  showSong(false);
}

// --- settings and language ---------------------------------------------------

void PreviewPage::ApplySettings(const Settings& settings) {
  // A stored style adds to the label's; it never removes one.
  font1_ = WithLabelStyle(settings.Font1, font1_);
  font2_ = WithLabelStyle(settings.Font2, font2_);
  ApplyLabelFonts();
  for (int i = 0; i < 5; ++i)
    SetLabelPosition(i, settings.Positions[i].left, settings.Positions[i].top);
  scaleMode_ = settings.Scale;
  SetOverscan(settings.Overscan);
  bitmapFile_ = settings.BitmapFile;
  try {
    LoadBackgroundPicture(bitmapFile_);
  } catch (const std::exception&) {
    // A stored picture that cannot be read is ignored at start-up.
  }
  // Lay the picture out at once, tiling included, so the first song picture
  // already has the stored layout.
  LayOutPicture(scaleMode_);
}

void PreviewPage::StoreSettings(Settings& settings) const {
  settings.Font1 = font1_;
  settings.Font2 = font2_;
  for (int i = 0; i < 5; ++i) settings.Positions[i] = {labels_[i]->y(), labels_[i]->x()};
  settings.Scale = scaleMode_;
  settings.Overscan = static_cast<std::uint8_t>(overT_->height());
  settings.BitmapFile = bitmapFile_;
}

void PreviewPage::ApplyLanguage() {
  for (int mode = 0; mode < 5; ++mode)
    layoutButtons_[mode]->setText(FromAnsi(LanguageString(str::kPlacementFirst + mode)));
  label7_->setText(FromAnsi(LanguageString(str::kOverscanNote)));
  label7_->adjustSize();
  for (QLabel* label : labels_) label->setToolTip(FromAnsi(LanguageString(str::kLabelHint)));
  image1_->setToolTip(FromAnsi(LanguageString(str::kImageHint)));
  emptyHint_->setText(FromAnsi(LanguageString(str::kImageHint)));
}

// --- texts and fonts ---------------------------------------------------------

void PreviewPage::SetSongTexts(const std::string& artist, const std::string& title,
                               const std::string& tech, const std::string& encoder,
                               const std::string& runningTime) {
  songTexts_ = {.artist = artist,
                .title = title,
                .tech = tech,
                .runningTime = runningTime,
                .encoder = encoder};
}

void PreviewPage::showSong(bool byUser) {
  if (byUser) {
    if (isVisible()) return;
    host_->OpenPreviewByUser();
  }
  labelTexts_ = LabelTexts(songTexts_);
  for (int i = 0; i < 5; ++i) {
    const QString text = FromAnsi(labelTexts_[i]);
    labels_[i]->setText(text);
    labels_[i]->adjustSize();
    shadows_[i]->setText(text);
    shadows_[i]->adjustSize();
  }
  update();
  host_->ShowCurrentPage();
  switch (scaleMode_) {
    case picture::kModeFullSize:
      showFullSize();
      break;
    case picture::kModeScale:
      scaleBackground();
      break;
    case picture::kModeRescale:
      rescaleBackground();
      break;
    case picture::kModeCenter:
      centerBackground();
      break;
    default:
      break;  // a tiled picture stays as it is
  }
}

void PreviewPage::ApplyLabelFonts() {
  const QPalette& system = QApplication::palette();
  for (int i = 0; i < 5; ++i) {
    const FontSetting& font = i < 2 ? font1_ : font2_;
    const QFont qfont = QFontFrom(font);
    const int room = AccentRoom(qfont);
    labels_[i]->setFont(qfont);
    labels_[i]->setContentsMargins(0, room, 0, 0);
    SetTextColor(labels_[i], ColorFromNumber(font.color, system));
    shadows_[i]->setFont(qfont);
    shadows_[i]->setContentsMargins(0, room, 0, 0);
    SetTextColor(shadows_[i], Qt::black);
    labels_[i]->adjustSize();
    shadows_[i]->adjustSize();
  }
  update();
}

void PreviewPage::SetFont1(const FontSetting& font) {
  font1_ = font;
  ApplyLabelFonts();
}

void PreviewPage::SetFont2(const FontSetting& font) {
  font2_ = font;
  ApplyLabelFonts();
}

void PreviewPage::chooseTitleFont() {
  if (host_->PassRunning()) return;
  if (auto chosen = fontChooser_(font1_, this)) SetFont1(*chosen);
}

void PreviewPage::chooseDetailsFont() {
  if (host_->PassRunning()) return;
  if (auto chosen = fontChooser_(font2_, this)) SetFont2(*chosen);
}

// --- positions ---------------------------------------------------------------

void PreviewPage::SetLabelPosition(int index, int left, int top) {
  if (index < 0 || index >= 5) return;
  labels_[index]->move(left, top);
  shadows_[index]->move(left + 1, top + 1);
  update();
}

void PreviewPage::placeLabel(QLabel* label, Qt::MouseButton button) {
  if (button != Qt::RightButton || host_->PassRunning()) return;
  const auto found = std::find(labels_.begin(), labels_.end(), label);
  if (found == labels_.end()) return;
  const int index = static_cast<int>(found - labels_.begin());
  const std::string preset = picture::FormatPosition(label->x(), label->y());
  const std::string answer = positionPrompt_(LanguageString(kPromptStrings[index]), preset, this);
  if (const auto position = picture::ParsePosition(answer))
    SetLabelPosition(index, position->x, position->y);
}

// --- overscan ----------------------------------------------------------------

void PreviewPage::SetOverscan(int margin) {
  const auto bars = picture::PlaceOverscanBars(margin);
  overT_->setGeometry(bars.top.left, bars.top.top, bars.top.width, bars.top.height);
  overB_->setGeometry(bars.bottom.left, bars.bottom.top, bars.bottom.width, bars.bottom.height);
  overL_->setGeometry(bars.left.left, bars.left.top, bars.left.width, bars.left.height);
  overR_->setGeometry(bars.right.left, bars.right.top, bars.right.width, bars.right.height);
  upDown_->SetPosition(margin);
  update();
}

int PreviewPage::Overscan() const {
  return overT_->height();
}

void PreviewPage::takeMargin() {
  SetOverscan(upDown_->Position());
}

void PreviewPage::resetMargin() {
  SetOverscan(30);
}

// --- the background picture ---------------------------------------------------

const QImage& PreviewPage::Picture() const {
  return image1_->Picture();
}

void PreviewPage::SetSharedBackground(const QImage& picture) {
  sharedBackground_ = picture;
  if (!hasBackground_ && scaleMode_ != picture::kModeTile) {
    image1_->SetPicture(sharedBackground_);
    LayOutPicture(scaleMode_);
  }
}

void PreviewPage::LoadBackgroundPicture(const std::string& path) {
  // Until a picture of the user's loads, the pages' shared background shows:
  // black default texts on a black area would make black song pictures.
  image1_->SetPicture(sharedBackground_);
  hasBackground_ = false;
  UpdateEmptyHint();
  QImage loaded = ReadBackgroundPicture(path);
  if (loaded.isNull()) return;
  image1_->SetPicture(std::move(loaded));
  hasBackground_ = true;
  UpdateEmptyHint();
}

void PreviewPage::UpdateEmptyHint() {
  emptyHint_->setVisible(layoutControlsVisible_ && !hasBackground_);
}

void PreviewPage::LoadChosenPicture(const std::string& path) {
  // The chosen path is kept even when it cannot be read.
  bitmapFile_ = path;
  try {
    LoadBackgroundPicture(path);
  } catch (const std::exception& error) {
    reportError_(ErrorText(error));
  }
  // Shown at once in the current mode, not only after a mode button.
  LayOutPicture(scaleMode_);
}

void PreviewPage::chooseBackground() {
  if (host_->PassRunning()) return;
  std::string filter = LanguageString(str::kPictureFilter);
  if (ToQtFileFilter(filter).empty())
    filter = "Alle Dateien (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg";
  if (auto chosen = pictureChooser_(bitmapFile_, filter, this)) LoadChosenPicture(*chosen);
}

void PreviewPage::ReloadAfterTiling() {
  if (scaleMode_ != picture::kModeTile) return;
  try {
    LoadBackgroundPicture(bitmapFile_);
  } catch (const std::exception& error) {
    reportError_(ErrorText(error));
  }
}

void PreviewPage::LayOutPicture(std::uint8_t mode) {
  const QImage& shown = image1_->Picture();
  const auto place = picture::PlaceBackground(mode, shown.width(), shown.height(), Overscan());
  if (!place) return;  // an unknown stored mode leaves the picture where it is
  if (mode == picture::kModeTile) {
    // Without a picture there is nothing to tile: the canvas stays black.
    QImage canvas(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    for (const auto& origin : picture::TileOrigins(shown.width(), shown.height()))
      painter.drawImage(QPoint(origin.x, origin.y), shown);
    painter.end();
    image1_->SetPicture(std::move(canvas));
  }
  image1_->setGeometry(place->left, place->top, place->width, place->height);
  update();
}

void PreviewPage::showFullSize() {
  ReloadAfterTiling();
  scaleMode_ = picture::kModeFullSize;
  LayOutPicture(scaleMode_);
}

void PreviewPage::scaleBackground() {
  ReloadAfterTiling();
  scaleMode_ = picture::kModeScale;
  LayOutPicture(scaleMode_);
}

void PreviewPage::rescaleBackground() {
  ReloadAfterTiling();
  scaleMode_ = picture::kModeRescale;
  LayOutPicture(scaleMode_);
}

void PreviewPage::centerBackground() {
  ReloadAfterTiling();
  scaleMode_ = picture::kModeCenter;
  LayOutPicture(scaleMode_);
}

void PreviewPage::tileBackground() {
  scaleMode_ = picture::kModeTile;
  LayOutPicture(scaleMode_);
}

void PreviewPage::SetLayoutControlsVisible(bool visible) {
  for (QPushButton* button : layoutButtons_) button->setVisible(visible);
  upDown_->setVisible(visible);
  over0_->setVisible(visible);
  label7_->setVisible(visible);
  layoutControlsVisible_ = visible;
  UpdateEmptyHint();
}

PictureLayout PreviewPage::Layout() const {
  PictureLayout layout;
  layout.font1 = font1_;
  layout.font2 = font2_;
  for (int i = 0; i < 5; ++i) layout.positions[i] = {labels_[i]->x(), labels_[i]->y()};
  layout.scaleMode = scaleMode_;
  layout.overscan = Overscan();
  return layout;
}

void PreviewPage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), RenderSongPicture());
}

// --- mouse -------------------------------------------------------------------

bool PreviewPage::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  // The page paints the picture itself, the labels included.
  if (type == QEvent::Paint &&
      (std::find(labels_.begin(), labels_.end(), watched) != labels_.end() ||
       std::find(shadows_.begin(), shadows_.end(), watched) != shadows_.end()))
    return true;
  if (type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonPress &&
      type != QEvent::MouseButtonRelease)
    return QWidget::eventFilter(watched, event);
  const auto* mouse = static_cast<QMouseEvent*>(event);
  for (int i = 0; i < 5; ++i) {
    if (watched != labels_[i] && watched != shadows_[i]) continue;
    if (type == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
      i < 2 ? chooseTitleFont() : chooseDetailsFont();
      return true;
    }
    if (type == QEvent::MouseButtonPress && watched == labels_[i])
      placeLabel(labels_[i], mouse->button());
    return false;
  }
  if (mouse->button() != Qt::LeftButton) return false;
  if (watched == emptyHint_ && type == QEvent::MouseButtonDblClick) {
    chooseBackground();
    return true;
  }
  if (watched == overT_ && type == QEvent::MouseButtonRelease &&
      overT_->rect().contains(mouse->position().toPoint())) {
    chooseBackground();
    return true;
  }
  if ((watched == overL_ || watched == overR_ || watched == overB_) &&
      type == QEvent::MouseButtonDblClick) {
    chooseBackground();
    return true;
  }
  return false;
}

}  // namespace tovix
