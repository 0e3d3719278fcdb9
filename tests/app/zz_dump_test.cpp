#include <gtest/gtest.h>
#include <QApplication>
#include <QFontInfo>
#include "testwindows.h"
#include "app/clicklabel.h"
namespace tovix {
TEST(Dump, Pages) {
  test::Windows w;
  w.form1->SetLanguageFile(test::SourceDir() + "dist/tovix.lng");
  w.form1->ApplyLanguage(0);
  printf("BTX font %s bold=%d\n", qPrintable(QFontInfo(w.form1->BTX->font()).family()), QFontInfo(w.form1->BTX->font()).bold());
  void (TForm1::*clicks[])() = {&TForm1::Label5Click, &TForm1::Label1Click, &TForm1::Label2Click, &TForm1::SpeedButton9Click, &TForm1::Label3Click, &TForm1::SpeedButton13Click, &TForm1::Label4Click, &TForm1::Label8Click, &TForm1::Label14Click};
  int i = 0;
  for (auto c : clicks) { (w.form1.get()->*c)(); QApplication::processEvents(); w.form1->grab().save(QString("/tmp/page%1.png").arg(i++)); }
  w.form2->grab().save("/tmp/toolbar.png");
}
}
