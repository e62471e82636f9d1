#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "platform/ui/controls.h"

class QAbstractButton;
class QHBoxLayout;

namespace tf::ui {

// The window's menu: a light bar over the top of the game screen with one
// flat button per entry, in creation order. It lies over the screen instead
// of pushing it down, shows only the visible entries and hides itself while
// none is visible. It never takes the keyboard focus.
class MenuStrip : public QWidget {
 public:
  static constexpr int kHeight = 22;

  explicit MenuStrip(QWidget* parent);

  void AddEntry(MenuEntry& entry);
  void RemoveEntry(const MenuEntry& entry);
  // Follows the entries' visibility.
  void Update();
  // Spreads the strip over the top of a parent this wide.
  void FitWidth(int width);
  // The button of the entry of that name, null when there is none.
  QAbstractButton* Button(const std::string& entryName) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Slot {
    MenuEntry* entry;
    QAbstractButton* button;
  };
  QHBoxLayout* layout_;
  std::vector<Slot> slots_;
};

}  // namespace tf::ui
