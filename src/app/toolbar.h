#pragma once
// Toolbar: the narrow always-on-top toolbar beside the main window. Its
// buttons only call the main window's handlers.
#include <QWidget>
#include <array>

class QPushButton;

namespace tovix {

namespace chrome {
class TCoolForm;
}

class MainWindow;

class Toolbar : public QWidget {
  Q_OBJECT

 public:
  // FormCreate: the skin, the buttons, the hints of the main window's page
  // labels, and a first place at the main window's right edge.
  explicit Toolbar(MainWindow* main);

  // The start-up place: 6 pixels over the main window's right edge, bottom
  // edges aligned.
  void PlaceBesideMain();

  // Page buttons "1" to "6" (index 0..5 = SpeedButton1..SpeedButton6).
  QPushButton* PageButton(int index) const {
    return pageButtons_.at(static_cast<std::size_t>(index));
  }
  std::array<QPushButton*, 6> pageButtons_{};
  QPushButton* Load = nullptr;
  QPushButton* Play = nullptr;
  QPushButton* Pause = nullptr;
  QPushButton* Stop = nullptr;
  QPushButton* SpeedButton7 = nullptr;  // "Sendeschluss"
  chrome::TCoolForm* CoolForm2 = nullptr;

 protected:
  // FormClose: closing the toolbar closes the main window.
  void closeEvent(QCloseEvent* event) override;

 private:
  MainWindow* main_;
};

}  // namespace tovix
