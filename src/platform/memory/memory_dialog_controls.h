#pragma once

#include <string>
#include <vector>

#include "platform/memory/memory_controls.h"

namespace tf::ui {

// Dialog controls in memory; none of them can be an array element.

class MemoryListBox : public MemoryControl<ListBox> {
 public:
  using MemoryControl::MemoryControl;
  void AddItem(const std::string& item) override { items_.push_back(item); }
  void Clear() override;
  int ListCount() const override { return static_cast<int>(items_.size()); }
  const std::string& List(int index) const override;
  int ListIndex() const override { return listIndex_; }
  // The user picks an entry (-1: none).
  void Select(int index) { listIndex_ = index; }
  Control& CloneAs(int index) const override;

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

class MemoryTextBox : public MemoryControl<TextBox> {
 public:
  using MemoryControl::MemoryControl;
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  void SetFocus() override { focused_ = true; }
  Control& CloneAs(int index) const override;

  bool Focused() const { return focused_; }

 private:
  std::string text_;
  bool focused_ = false;
};

class MemoryCommandButton : public MemoryControl<CommandButton> {
 public:
  MemoryCommandButton(MemoryForm& form, std::string name, std::string caption)
      : MemoryControl(form, std::move(name), -1, nullptr), caption_(std::move(caption)) {}
  const std::string& Caption() const override { return caption_; }
  Control& CloneAs(int index) const override;

 private:
  std::string caption_;
};

}  // namespace tf::ui
