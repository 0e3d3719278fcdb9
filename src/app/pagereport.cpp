#include "app/pagereport.h"

#include <QApplication>
#include <QLabel>
#include <utility>

#include "app/mainwindow.h"
#include "app/pages/renamepage.h"
#include "app/toolbar.h"

namespace tovix {

PageReport& PageReport::LinesTo(std::function<void(const std::string&)> memo) {
  lines_ = [memo = std::move(memo)](const std::string& text, int) { memo(text); };
  return *this;
}

PageReport& PageReport::LinesAsMessages() {
  lines_ = [this](const std::string& text, int listLine) {
    if (form_.ShowError) form_.ShowError(text);
    if (listLine >= 0) form_.renamePage->PutCaretOnLine(listLine);
  };
  return *this;
}

PageReport& PageReport::CountInLed(std::int64_t unit, std::string suffix) {
  counts_ = true;
  unit_ = unit;
  suffix_ = std::move(suffix);
  return *this;
}

PageReport& PageReport::LetEventsRun() {
  letEventsRun_ = true;
  return *this;
}

PageReport& PageReport::WhileOnPage(int page) {
  page_ = page;
  return *this;
}

void PageReport::Line(const std::string& text, int listLine) {
  if (lines_) lines_(text, listLine);
}

void PageReport::Progress(std::int64_t done, std::int64_t total) {
  if (counts_) {
    const std::int64_t count = done / unit_;
    if (unit_ == 1 || count != shown_) {
      shown_ = count;
      form_.SetLed("[ " + std::to_string(count) + " / " +
                   std::to_string((total + unit_ - 1) / unit_) + " ]" + suffix_);
      form_.LED->repaint();
    }
  }
  if (letEventsRun_) QApplication::processEvents();
}

PageReport& PageReport::WhileOpen() {
  whileOpen_ = true;
  return *this;
}

bool PageReport::KeepGoing() {
  // Closing the window clears the page number.
  if (whileOpen_) return form_.PageNumber != 0;
  return page_ < 0 || form_.PageNumber == page_;
}

LedBack::LedBack(MainWindow& window) : form(window), text(window.LedText()) {}

LedBack::~LedBack() {
  form.SetLed(text);
}

}  // namespace tovix
