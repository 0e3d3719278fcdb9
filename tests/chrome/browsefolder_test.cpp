// The folder picker's contract, driven off-screen through its dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "chrome/browsefolder.h"
#include "chrome/dialogplace.h"
#include "chrome/pathshort.h"
#include "platform/filesys.h"
#include "support/tempdir.h"

namespace tovix::chrome {
namespace {

// OK as a click on it does it (QFileDialog hides accept()).
void Accept(QFileDialog& d) {
  static_cast<QDialog&>(d).accept();
}

// Lets the dialog's folder model load until pred holds (at most 5 s).
bool WaitFor(const std::function<bool()>& pred) {
  QElapsedTimer clock;
  clock.start();
  while (!pred() && clock.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return pred();
}

// Runs `act` on the open dialog once its modal loop is running.
void WhenOpen(TBrowseFolder& picker, std::function<void(QFileDialog&)> act) {
  QObject::connect(
      &picker, &TBrowseFolder::OnInitialized, &picker,
      [act](QWidget* dialog) {
        auto* fd = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(fd, nullptr);
        QTimer::singleShot(0, fd, [fd, act] { act(*fd); });
      },
      Qt::SingleShotConnection);
}

// Where the picker opens, starting in folder; it is cancelled at once.
QRect PlacedOver(TBrowseFolder& picker, const std::string& folder) {
  picker.SetDirectory(folder);
  QRect placed;
  WhenOpen(picker, [&](QFileDialog& d) {
    placed = d.frameGeometry();
    d.reject();
  });
  picker.Execute();
  return placed;
}

class BrowseFolderTest : public ::testing::Test {
 protected:
  BrowseFolderTest() {
    deep = tmp.path() + "/Programme/Audio/MP3/Sammlung/Rock";
    EXPECT_TRUE(QDir().mkpath(QString::fromStdString(deep)));
    picker.SetShowPathInStatusArea(true);
  }
  test::TempDir tmp;
  std::string deep;
  TBrowseFolder picker;
};

TEST_F(BrowseFolderTest, PreselectsTheFolderShowsItShortAndReturnsIt) {
  picker.SetDirectory(deep);
  QString status;
  bool okEnabled = false;
  std::string selection;
  WhenOpen(picker, [&](QFileDialog& d) {
    status = picker.StatusText();
    okEnabled = picker.OkEnabled();
    selection = picker.CurrentSelection();
    EXPECT_EQ(QDir(d.directory()).absolutePath().toStdString(), deep);
    Accept(d);
  });
  EXPECT_TRUE(picker.Execute());
  EXPECT_EQ(picker.Directory(), deep);
  EXPECT_EQ(selection, deep);
  EXPECT_TRUE(okEnabled);
  ASSERT_GT(deep.size(), kStatusPathLength);
  EXPECT_EQ(status.toStdString(), ShortenPath(deep));
  EXPECT_EQ(picker.Dialog(), nullptr);
}

TEST_F(BrowseFolderTest, FollowsTheSelectionAndReturnsTheChosenFolder) {
  picker.SetDirectory(tmp.path());
  std::vector<std::string> seen;
  QObject::connect(&picker, &TBrowseFolder::OnSelectionChanged,
                   [&](QWidget*, const std::string& dir) { seen.push_back(dir); });
  const std::string sub = tmp.path() + "/Programme";
  QString status;
  WhenOpen(picker, [&](QFileDialog& d) {
    d.selectFile(QString::fromStdString(sub));
    EXPECT_TRUE(WaitFor([&] { return picker.CurrentSelection() == sub; }));
    status = picker.StatusText();
    Accept(d);
  });
  ASSERT_TRUE(picker.Execute());
  EXPECT_EQ(picker.Directory(), sub);
  EXPECT_EQ(status.toStdString(), ShortenPath(sub));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), sub);
}

TEST_F(BrowseFolderTest, CancelLeavesDirectoryAsItWas) {
  picker.SetDirectory(deep);
  WhenOpen(picker, [](QFileDialog& d) { d.reject(); });
  EXPECT_FALSE(picker.Execute());
  EXPECT_EQ(picker.Directory(), deep);
}

TEST_F(BrowseFolderTest, MissingStartFolderOpensWithoutSelection) {
  picker.SetDirectory("???");
  bool okEnabled = true;
  std::string selection = "x";
  QString status = "x";
  WhenOpen(picker, [&](QFileDialog& d) {
    okEnabled = picker.OkEnabled();
    selection = picker.CurrentSelection();
    status = picker.StatusText();
    d.reject();
  });
  EXPECT_FALSE(picker.Execute());
  EXPECT_FALSE(okEnabled);
  EXPECT_EQ(selection, "");
  EXPECT_TRUE(status.isEmpty());
  EXPECT_EQ(picker.Directory(), "???");
}

TEST_F(BrowseFolderTest, RefusesFoldersThatDoNotExist) {
  picker.SetDirectory(tmp.path());
  bool stillOpen = false;
  WhenOpen(picker, [&](QFileDialog& d) {
    d.selectFile(QString::fromStdString(tmp.path() + "/gibt-es-nicht"));
    Accept(d);
    stillOpen = d.isVisible();
    d.reject();
  });
  EXPECT_FALSE(picker.Execute());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(picker.Directory(), tmp.path());
}

TEST_F(BrowseFolderTest, RefusesFolderNamesTheProgramCannotHold) {
  // U+03A9 has no place in Windows-1252.
  const QString odd = QString::fromStdString(tmp.path()) + QString::fromUtf8("/\xce\xa9-Musik");
  ASSERT_TRUE(QDir().mkpath(odd));
  picker.SetDirectory(tmp.path());
  std::vector<std::string> seen;
  QObject::connect(&picker, &TBrowseFolder::OnSelectionChanged,
                   [&](QWidget*, const std::string& dir) { seen.push_back(dir); });
  bool okEnabled = true;
  bool stillOpen = false;
  WhenOpen(picker, [&](QFileDialog& d) {
    d.selectFile(odd);
    EXPECT_TRUE(WaitFor([&] { return !seen.empty() && seen.back().empty(); }));
    okEnabled = picker.OkEnabled();
    Accept(d);
    stillOpen = d.isVisible();
    d.reject();
  });
  EXPECT_FALSE(picker.Execute());
  EXPECT_FALSE(okEnabled);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(picker.Directory(), tmp.path());
}

TEST_F(BrowseFolderTest, KeepsWindows1252Names) {
  const std::string ansi = tmp.path() + "/M\xfcller";  // "Müller" in Windows-1252
  ASSERT_TRUE(platform::MakeDir(ansi));
  picker.SetDirectory(ansi);
  WhenOpen(picker, [](QFileDialog& d) { Accept(d); });
  ASSERT_TRUE(picker.Execute());
  EXPECT_EQ(picker.Directory(), ansi);
}

TEST_F(BrowseFolderTest, CheckBoxTakesItsStateOnOk) {
  picker.SetDirectory(deep);
  picker.SetCustomButtonVisible(true);
  picker.SetCustomButtonType(TCustomButtonType::btCheckBox);
  picker.SetCustomButtonCaption("Unterordner");
  picker.SetCustomButtonChecked(true);
  picker.SetCustomButtonWidth(120);
  WhenOpen(picker, [](QFileDialog& d) {
    auto* box = d.findChild<QCheckBox*>("customButton");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(box->text(), "Unterordner");
    EXPECT_EQ(box->size(), QSize(120, 23));
    box->setChecked(false);
    Accept(d);
  });
  ASSERT_TRUE(picker.Execute());
  EXPECT_FALSE(picker.CustomButtonChecked());
}

TEST_F(BrowseFolderTest, CheckBoxStateIsKeptOnCancel) {
  picker.SetDirectory(deep);
  picker.SetCustomButtonVisible(true);
  picker.SetCustomButtonType(TCustomButtonType::btCheckBox);
  picker.SetCustomButtonChecked(true);
  WhenOpen(picker, [](QFileDialog& d) {
    d.findChild<QCheckBox*>("customButton")->setChecked(false);
    d.reject();
  });
  EXPECT_FALSE(picker.Execute());
  EXPECT_TRUE(picker.CustomButtonChecked());
}

TEST_F(BrowseFolderTest, PushButtonReportsClicksAndFollowsOkWhenSynced) {
  picker.SetDirectory("???");
  picker.SetCustomButtonVisible(true);
  picker.SetSyncCustomButton(true);
  int clicks = 0;
  QObject::connect(&picker, &TBrowseFolder::OnCustomButtonClick, [&](QWidget*) { ++clicks; });
  bool enabledWithout = true;
  bool enabledWith = false;
  WhenOpen(picker, [&](QFileDialog& d) {
    auto* button = d.findChild<QPushButton*>("customButton");
    ASSERT_NE(button, nullptr);
    enabledWithout = button->isEnabled();
    d.selectFile(QString::fromStdString(deep));
    EXPECT_TRUE(WaitFor([&] { return picker.CurrentSelection() == deep; }));
    enabledWith = button->isEnabled();
    button->click();
    picker.SetCustomButtonCaption("Neu");
    EXPECT_EQ(button->text(), "Neu");
    d.reject();
  });
  EXPECT_FALSE(picker.Execute());
  EXPECT_FALSE(enabledWithout);
  EXPECT_TRUE(enabledWith);
  EXPECT_EQ(clicks, 1);
}

TEST_F(BrowseFolderTest, StatusLineOnlyWithItsFlagAndPathOnlyWhenAsked) {
  picker.SetDirectory(deep);
  picker.SetShowPathInStatusArea(false);
  QString status = "x";
  WhenOpen(picker, [&](QFileDialog& d) {
    status = picker.StatusText();
    d.reject();
  });
  picker.Execute();
  EXPECT_TRUE(status.isEmpty());

  picker.SetShowPathInStatusArea(true);
  picker.SetFlags(bfFileSysDirsOnly);
  bool hasStatus = true;
  WhenOpen(picker, [&](QFileDialog& d) {
    hasStatus = d.findChild<QLabel*>("statusText") != nullptr;
    d.reject();
  });
  picker.Execute();
  EXPECT_FALSE(hasStatus);
}

TEST_F(BrowseFolderTest, DialogSitsOverTheOwnerWindow) {
  QWidget owner;
  owner.setGeometry(100, 80, 640, 480);
  picker.SetOwnerWindow(&owner);
  const QRect placed = PlacedOver(picker, deep);
  const QWidget* front = QApplication::activeWindow() ? QApplication::activeWindow() : &owner;
  const QRect f = front->frameGeometry();
  EXPECT_EQ(placed.left(), f.left() + f.width() / 2 - placed.width() / 2);
  EXPECT_EQ(placed.top(), f.top() + f.height() / 4);
}

TEST_F(BrowseFolderTest, DialogOverAWindowAtTheScreensEdgeStaysOnTheScreen) {
  // The toolbar sits at the main window's right edge: centred over it, the
  // picker would stick out past the screen's.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget toolbar;
  toolbar.setGeometry(screen.right() - 104, screen.bottom() - 305, 104, 305);
  toolbar.show();
  picker.SetOwnerWindow(&toolbar);
  const QRect placed = PlacedOver(picker, deep);
  EXPECT_TRUE(screen.contains(placed))
      << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
}

TEST(DialogPlacement, EveryDialogOpensWhollyOnTheScreen) {
  KeepDialogsOnScreen();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QDialog dialog;
  dialog.resize(300, 200);
  for (const QPoint& at : {QPoint(screen.right() - 100, screen.bottom() - 50),
                           QPoint(screen.left() - 150, screen.top() - 80)}) {
    dialog.move(at);
    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(screen.contains(dialog.frameGeometry())) << at.x() << "," << at.y();
    dialog.hide();
  }
}

TEST(BrowseFolderProperties, WidthFallsBackTo75) {
  TBrowseFolder picker;
  EXPECT_EQ(picker.Flags(), bfFileSysDirsOnly | bfStatusText);
  picker.SetCustomButtonWidth(0);
  EXPECT_EQ(picker.CustomButtonWidth(), 75);
  picker.SetCustomButtonWidth(-20);
  EXPECT_EQ(picker.CustomButtonWidth(), 75);
  picker.SetCustomButtonWidth(90);
  EXPECT_EQ(picker.CustomButtonWidth(), 90);
}

TEST(BrowseFolderProperties, RootsThatAreFoldersHere) {
  EXPECT_FALSE(RootFolderPath(TSHFolders::foDesktopExpanded));
  EXPECT_FALSE(RootFolderPath(TSHFolders::foPrinters));
  EXPECT_FALSE(RootFolderPath(TSHFolders::foRecycleBin));
  ASSERT_TRUE(RootFolderPath(TSHFolders::foMyComputer));
  EXPECT_EQ(*RootFolderPath(TSHFolders::foMyComputer), QDir::rootPath());
  ASSERT_TRUE(RootFolderPath(TSHFolders::foPersonal));
  EXPECT_TRUE(QDir(*RootFolderPath(TSHFolders::foPersonal)).exists());
}

}  // namespace
}  // namespace tovix::chrome
