// Every page of both windows in every language of the shipped language
// file: no text cut off, none running out of its page or over another.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>
#include <functional>

#include "app/form1.h"
#include "app/form2.h"
#include "lang/languagelist.h"
#include "support/tempdir.h"
#include "testwindows.h"
#include "textfit.h"

namespace tovix {
namespace {

struct Page {
  const char* name;
  std::function<void(TForm1&)> open;
};

const std::vector<Page>& Pages() {
  static const std::vector<Page> pages = {
      {"start", [](TForm1& f) { f.ResetPageView(); }},
      {"1", [](TForm1& f) { f.Label1Click(); }},
      {"2", [](TForm1& f) { f.Label2Click(); }},
      {"21", [](TForm1& f) { f.SpeedButton9Click(); }},
      {"3", [](TForm1& f) { f.Label3Click(); }},
      {"31", [](TForm1& f) { f.SpeedButton13Click(); }},
      {"4", [](TForm1& f) { f.Label4Click(); }},
      {"info", [](TForm1& f) { f.Label5Click(); }},
      {"5", [](TForm1& f) { f.Label8Click(); }},
      {"6", [](TForm1& f) { f.Label14Click(); }},
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
  TForm1& f = *w.form1;
  for (const Page& page : Pages()) {
    page.open(f);
    QApplication::processEvents();
    for (QWidget* window : {static_cast<QWidget*>(&f), static_cast<QWidget*>(w.form2.get())})
      for (const std::string& problem : test::TextsThatDoNotFit(*window))
        ADD_FAILURE() << "language " << language << ", page " << page.name << ": " << problem;
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, EveryPage, ::testing::Values(0, 1, 2));

TEST(EveryPage, CoversEveryLanguageOfTheShippedFile) {
  const auto list = ReadLanguageList(ShippedLanguageFile());
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 3u);
  for (std::size_t i = 0; i < list->size(); ++i) EXPECT_EQ((*list)[i].number, static_cast<int>(i));
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
