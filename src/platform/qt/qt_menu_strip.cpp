#include "platform/qt/qt_menu_strip.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "platform/qt/qt_controls.h"

namespace tf::ui {

namespace {
const QColor kBarColour(240, 240, 240);
const QColor kLineColour(160, 160, 160);
}  // namespace

MenuStrip::MenuStrip(QWidget* parent) : QWidget(parent), layout_(new QHBoxLayout(this)) {
  setFocusPolicy(Qt::NoFocus);
  setFixedHeight(kHeight);
  layout_->setContentsMargins(2, 0, 2, 1);
  layout_->setSpacing(0);
  layout_->addStretch(1);
  setStyleSheet(
      "QToolButton { border: none; padding: 0px 8px; color: #202020; background: transparent; }"
      "QToolButton:hover { background: #cce4f7; }"
      "QToolButton:pressed { background: #99c9ef; }");
  hide();
}

void MenuStrip::AddEntry(MenuEntry& entry) {
  auto* button = new QToolButton(this);
  button->setText(ToQString(entry.Caption()));
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  button->setFixedHeight(kHeight - 1);
  QObject::connect(button, &QToolButton::clicked, [&entry] {
    if (entry.onClick) entry.onClick();
  });
  // Before the stretch, after the entries made earlier.
  layout_->insertWidget(static_cast<int>(slots_.size()), button);
  slots_.push_back({&entry, button});
  Update();
}

void MenuStrip::RemoveEntry(const MenuEntry& entry) {
  auto it = std::find_if(slots_.begin(), slots_.end(),
                         [&entry](const Slot& slot) { return slot.entry == &entry; });
  if (it == slots_.end()) return;
  // The entry is going: its button must not reach it any more.
  it->button->disconnect();
  it->button->hide();
  it->button->deleteLater();
  slots_.erase(it);
  Update();
}

void MenuStrip::Update() {
  bool any = false;
  for (const Slot& slot : slots_) {
    slot.button->setVisible(slot.entry->Visible());
    any = any || slot.entry->Visible();
  }
  setVisible(any);
  if (any) raise();
}

void MenuStrip::FitWidth(int width) { setGeometry(0, 0, width, kHeight); }

QAbstractButton* MenuStrip::Button(const std::string& entryName) const {
  for (const Slot& slot : slots_)
    if (slot.entry->Name() == entryName) return slot.button;
  return nullptr;
}

void MenuStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBarColour);
  painter.setPen(kLineColour);
  painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}

}  // namespace tf::ui
