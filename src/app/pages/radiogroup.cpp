#include "app/pages/radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tovix {

RadioGroup::RadioGroup(const QString& name, const QString& title, const QStringList& items,
                       QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
  setObjectName(name);
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    group_->addButton(button, i);
    layout->addWidget(button);
    buttons_.push_back(button);
  }
  layout->addStretch();
}

int RadioGroup::ItemIndex() const {
  return group_->checkedId();
}

void RadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, Count() - 1);
  if (index < 0) {
    // An exclusive group cannot be emptied by unchecking its member.
    group_->setExclusive(false);
    for (QRadioButton* b : buttons_) b->setChecked(false);
    group_->setExclusive(true);
    return;
  }
  buttons_[static_cast<std::size_t>(index)]->setChecked(true);
}

}  // namespace tovix
