#pragma once
// A titled group of radio buttons with an item index, -1 for none, as the
// settings store it.
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

namespace tovix {

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& name, const QString& title, const QStringList& items, QWidget* parent);

  int ItemIndex() const;
  // Held within -1 .. items - 1, as the group holds any value it is given.
  void SetItemIndex(int index);
  int Count() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* Item(int i) const { return buttons_.at(static_cast<std::size_t>(i)); }

 private:
  QButtonGroup* group_;
  std::vector<QRadioButton*> buttons_;
};

}  // namespace tovix
