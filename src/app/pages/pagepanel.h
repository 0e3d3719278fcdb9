#pragma once
// The common ground of the main window's pages: a fixed-size panel, hidden
// at start, painting the background picture all pages share.
#include <QPixmap>
#include <QRect>
#include <QWidget>
#include <string>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tovix {

class PagePanel : public QWidget {
  Q_OBJECT

 public:
  // name: the page's objectName (directoriesPage, recodePage, ...).
  PagePanel(const QString& name, QWidget* parent);

  void SetBackground(const QPixmap& picture);
  const QPixmap& Background() const { return background_; }

  // Controls placed on the page (or on parent), named for the language map.
  // Texts are Windows-1252.
  QLabel* AddLabel(const QString& name, const std::string& text, const QRect& place,
                   QWidget* parent = nullptr);
  QPushButton* AddButton(const QString& name, const std::string& text, const QRect& place,
                         QWidget* parent = nullptr);
  QCheckBox* AddCheckBox(const QString& name, const std::string& text, const QRect& place,
                         bool checked, QWidget* parent = nullptr);
  // A read-only or editable memo without word wrap.
  QPlainTextEdit* AddMemo(const QString& name, const QRect& place, bool readOnly);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap background_;
};

// The look of the buttons on the pages and on the window face.
extern const char* const kButtonStyle;

// Lines of a memo as Windows-1252 texts, and adding one.
void MemoAdd(QPlainTextEdit* memo, const std::string& line);

}  // namespace tovix
