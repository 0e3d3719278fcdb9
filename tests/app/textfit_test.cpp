// Every page of both windows in every language of the shipped language
// file: no text cut off, none running out of its page or over another.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <functional>

#include "app/mainwindow.h"
#include "app/pages/cdbatchpage.h"
#include "app/toolbar.h"
#include "lang/languagelist.h"
#include "support/tempdir.h"
#include "testwindows.h"
#include "textfit.h"

namespace tovix {
namespace {

struct Page {
  const char* name;
  std::function<void(MainWindow&)> open;
};

const std::vector<Page>& Pages() {
  static const std::vector<Page> pages = {
      {"start", [](MainWindow& f) { f.ResetPageView(); }},
      {"1", [](MainWindow& f) { f.showDirectoriesPage(); }},
      {"2", [](MainWindow& f) { f.showRecodePage(); }},
      {"21", [](MainWindow& f) { f.showRecodeOptions(); }},
      {"3", [](MainWindow& f) { f.showRenamePage(); }},
      {"31", [](MainWindow& f) { f.showRenameOptions(); }},
      {"4", [](MainWindow& f) { f.showBinPage(); }},
      {"info", [](MainWindow& f) { f.showInfoText(); }},
      {"5", [](MainWindow& f) { f.showPreviewPage(); }},
      {"6", [](MainWindow& f) { f.showCdBatchPage(); }},
  };
  return pages;
}

std::string ShippedLanguageFile() {
  return test::SourceDir() + "dist/tovix.lng";
}

class EveryPage : public ::testing::TestWithParam<int> {};

TEST_P(EveryPage, EveryTextFitsItsControl) {
  const int language = GetParam();
  test::TempDir songs;
  const std::string ini = "Sprache=" + std::to_string(language) + "\r\nmp3dir=" + songs.path() +
                          "\r\nbindir=" + songs.path() + "\r\n";
  test::Windows w(ini.c_str(), false);
  test::WriteFile(w.dir.file("tovix.lng"), test::ReadFile(ShippedLanguageFile()));
  w.Show();
  ASSERT_TRUE(w.fatals.empty());
  MainWindow& f = *w.mainWindow;
  for (const Page& page : Pages()) {
    page.open(f);
    QApplication::processEvents();
    for (QWidget* window : {static_cast<QWidget*>(&f), static_cast<QWidget*>(w.toolbar.get())})
      for (const std::string& problem : test::TextsThatDoNotFit(*window))
        ADD_FAILURE() << "language " << language << ", page " << page.name << ": " << problem;
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, EveryPage, ::testing::Values(0, 1, 2));

// Texts that read the same in every language: names, numbers and signs,
// the program's fixed words and the few words German shares with the others.
bool SameInEveryLanguage(const QString& text) {
  static const QStringList kShared = {
      QStringLiteral("OK"), QStringLiteral("oops..."), QStringLiteral("Start"),
      QStringLiteral("Start!"),
      // The player's hints are fixed English words in every language.
      QStringLiteral("Load"), QStringLiteral("Play"), QStringLiteral("Stop"),
      QStringLiteral("Pause"), QStringLiteral("Sprache - Language - Langue"),
      // The preview's sample texts.
      QStringLiteral("The Artist"), QStringLiteral("The Title"),
      QStringLiteral("The Encoder Engine"), QStringLiteral("123 kBit | 45678 Hz"),
      QStringLiteral("128 kBit"), QStringLiteral("192 kBit")};
  const QString trimmed = text.trimmed();
  return !trimmed.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))) ||
         kShared.contains(trimmed);
}

// What a window system shows as the title: Qt adds the application's name
// to a title that does not end in it.
QString ShownTitle(const QWidget& window) {
  const QString title = window.windowTitle();
  const QString name = QGuiApplication::applicationDisplayName();
  return name.isEmpty() || title.endsWith(name) ? title : title + QStringLiteral(" \u2014 ") + name;
}

// Every page in English and in French against the same page in German:
// no caption, title or hint is left in German; the title names the program
// once.
TEST(EveryPage, NoTextStaysGermanInAnotherLanguage) {
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Tovix (Rovez/Kiss/Tokai ) DVD 71x"));
  test::TempDir songs;
  // Recoding on: page 21 shows its conditions.
  const std::string ini =
      "Sprache=0\r\nRecode=1\r\nmp3dir=" + songs.path() + "\r\nbindir=" + songs.path() + "\r\n";
  test::Windows w(ini.c_str(), false);
  test::WriteFile(w.dir.file("tovix.lng"), test::ReadFile(ShippedLanguageFile()));
  w.Show();
  ASSERT_TRUE(w.fatals.empty());
  MainWindow& f = *w.mainWindow;
  std::map<std::string, std::map<std::string, QString>> german;  // by page
  for (const int language : {0, 1, 2, 0}) {
    f.ApplyLanguage(static_cast<std::uint16_t>(language));
    EXPECT_EQ(ShownTitle(f).count(QStringLiteral("Tovix")), 1) << ShownTitle(f).toStdString();
    for (const Page& page : Pages()) {
      page.open(f);
      QApplication::processEvents();
      std::map<std::string, QString> texts = test::VisibleTexts(f);
      for (auto& [where, text] : test::VisibleTexts(*w.toolbar)) texts["toolbar " + where] = text;
      if (language == 0 && !german.count(page.name)) {
        german[page.name] = texts;
        continue;
      }
      if (language == 0) continue;
      for (const auto& [where, text] : texts) {
        const auto same = german[page.name].find(where);
        if (same != german[page.name].end() && same->second == text && !SameInEveryLanguage(text))
          ADD_FAILURE() << "language " << language << ", page " << page.name << ", " << where
                        << ": \"" << text.toStdString() << "\"";
      }
    }
  }
}

TEST(EveryPage, CoversEveryLanguageOfTheShippedFile) {
  const auto list = ReadLanguageList(ShippedLanguageFile());
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 3u);
  for (std::size_t i = 0; i < list->size(); ++i) EXPECT_EQ((*list)[i].number, static_cast<int>(i));
}

// Page 6's lines keep apart: the dots of a capital umlaut do not reach the
// descenders of the line above, which would make their ink one band.
TEST(TextFit, PageSixLinesKeepApart) {
  test::Windows w;
  MainWindow& f = *w.mainWindow;
  f.showCdBatchPage();
  // Capital umlauts under descenders, five lines.
  const std::string text = "Warnung: gjpq\r\xC4rger gjpq\r\xD6l gjpq\r\xC4rzte gjpq\r\xDCppig";
  f.cdBatchPage->SetMessage(text);
  QApplication::processEvents();
  QLabel& label = *f.cdBatchPage->MakeBatLabel;
  QImage image(label.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  std::size_t bands = 0;
  bool inInk = false;
  for (int y = 0; y < image.height(); ++y) {
    bool ink = false;
    for (int x = 0; x < image.width() && !ink; ++x) ink = qGray(image.pixel(x, y)) < 160;
    if (ink && !inInk) ++bands;
    inInk = ink;
  }
  EXPECT_EQ(bands, 5u);
}

// The measure itself: it must see a cut text, a text running out of its
// parent and two texts over each other, and pass texts that fit.
TEST(TextFit, FindsCutRunningOutAndOverlappingTexts) {
  QWidget page;
  page.setObjectName("page");
  page.resize(300, 100);
  auto* fits = new QCheckBox("Short", &page);
  fits->setObjectName("fits");
  fits->setGeometry(0, 0, 150, 22);
  auto* label = new QLabel("Also short", &page);
  label->setObjectName("label");
  label->setGeometry(0, 30, 150, 22);
  page.show();
  QApplication::processEvents();
  EXPECT_TRUE(test::TextsThatDoNotFit(page).empty());

  label->setText("A label far too long for a hundred and fifty pixels");
  fits->setGeometry(0, 0, 150, 40);  // its box now reaches into the label
  auto* out = new QCheckBox("Out", &page);
  out->setObjectName("out");
  out->setGeometry(270, 70, 100, 22);
  out->show();
  QApplication::processEvents();
  const auto problems = test::TextsThatDoNotFit(page);
  auto has = [&](const std::string& start) {
    for (const std::string& p : problems)
      if (p.rfind(start, 0) == 0) return true;
    return false;
  };
  EXPECT_TRUE(has("label \"A label far too long for a hundred and fifty pixels\": needs"));
  EXPECT_TRUE(has("out \"Out\": runs out of page"));
  EXPECT_TRUE(has("fits \"Short\": overlaps label"));
}

}  // namespace
}  // namespace tovix
