#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/controls.h"

namespace tf::ui {

// A dialog control on a real widget, a child of its window's view placed in
// pixels over the scene. None of them can be an array element or move into
// a container.
template <class Interface, class Widget>
class QtWidgetControl : public Interface {
 public:
  QtWidgetControl(QWidget& parent, std::string name);
  ~QtWidgetControl() override;

  bool Visible() const override { return !widget_->isHidden(); }
  void SetVisible(bool visible) override { widget_->setVisible(visible); }
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Move(int left, int top, int width, int height) override;
  void BringToFront() override { widget_->raise(); }
  void SetContainer(Container* container) override;
  void SetStandardPointer() override { widget_->unsetCursor(); }
  void SetCustomPointer(const std::string& storedPath) override;
  const std::string& ToolTipText() const override { return toolTip_; }
  void SetToolTipText(const std::string& text) override;
  // Dialog controls are never dragged.
  void Drag() override {}

  Widget& GetWidget() const { return *widget_; }

 protected:
  std::unique_ptr<Widget> widget_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string toolTip_;
};

// A list widget that also reports an entry chosen with the keyboard.
class KeyedListWidget : public QListWidget {
 public:
  using QListWidget::QListWidget;
  std::function<void()> onKeySelection;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class QtListBox : public QtWidgetControl<ListBox, KeyedListWidget> {
 public:
  QtListBox(QWidget& parent, std::string name);
  void AddItem(const std::string& item) override;
  void Clear() override;
  int ListCount() const override { return static_cast<int>(items_.size()); }
  const std::string& List(int index) const override;
  int ListIndex() const override;

  // Where an entry lies in the widget's viewport; nothing if it has none.
  std::optional<QPoint> EntryCentre(const std::string& entry) const;

 private:
  std::vector<std::string> items_;
};

class QtTextBox : public QtWidgetControl<TextBox, QLineEdit> {
 public:
  QtTextBox(QWidget& parent, std::string name);
  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SetFocus() override { widget_->setFocus(Qt::OtherFocusReason); }
};

// A push button that Enter presses while it has the focus, as Space does;
// elsewhere in its window Enter goes on to the window's default button.
class FocusedEnterButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class QtCommandButton : public QtWidgetControl<CommandButton, FocusedEnterButton> {
 public:
  QtCommandButton(QWidget& parent, std::string name, std::string caption);
  const std::string& Caption() const override { return caption_; }

 private:
  std::string caption_;
};

}  // namespace tf::ui
