#include "platform/qt/qt_dialog_controls.h"

#include <QKeyEvent>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_pointer.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/twips.h"

namespace tf::ui {

template <class Interface, class Widget>
QtWidgetControl<Interface, Widget>::QtWidgetControl(QWidget& parent, std::string name)
    : Interface(std::move(name), -1), widget_(std::make_unique<Widget>(&parent)) {
  widget_->setFont(QFont("Arial", 8));
  widget_->show();
}

template <class Interface, class Widget>
QtWidgetControl<Interface, Widget>::~QtWidgetControl() = default;

template <class Interface, class Widget>
void QtWidgetControl<Interface, Widget>::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  widget_->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                       TwipsToPixels(height));
}

template <class Interface, class Widget>
void QtWidgetControl<Interface, Widget>::SetContainer(Container* container) {
  if (container) RaiseError(kErrInvalidPropertyValue, this->Name() + " stays on its window");
}

template <class Interface, class Widget>
void QtWidgetControl<Interface, Widget>::SetCustomPointer(const std::string& storedPath) {
  widget_->setCursor(LoadPointer(storedPath));
}

template <class Interface, class Widget>
void QtWidgetControl<Interface, Widget>::SetToolTipText(const std::string& text) {
  toolTip_ = text;
  widget_->setToolTip(QString::fromUtf8(Cp1252ToUtf8(text)));
}

template class QtWidgetControl<ListBox, KeyedListWidget>;
template class QtWidgetControl<TextBox, QLineEdit>;
template class QtWidgetControl<CommandButton, FocusedEnterButton>;

// KeyedListWidget

void KeyedListWidget::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0 && onKeySelection) onKeySelection();
}

// FocusedEnterButton

void FocusedEnterButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

// QtListBox

QtListBox::QtListBox(QWidget& parent, std::string name) : QtWidgetControl(parent, std::move(name)) {
  widget_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Only the user's choices run the handlers, not a selection made by code.
  QObject::connect(widget_.get(), &QListWidget::itemClicked, [this] {
    if (onClick) onClick();
  });
  widget_->onKeySelection = [this] {
    if (onClick) onClick();
  };
  QObject::connect(widget_.get(), &QListWidget::itemDoubleClicked, [this] {
    if (onDblClick) onDblClick();
  });
}

void QtListBox::AddItem(const std::string& item) {
  items_.push_back(item);
  widget_->addItem(QString::fromStdString(item));
}

void QtListBox::Clear() {
  items_.clear();
  widget_->clear();
}

const std::string& QtListBox::List(int index) const {
  if (index < 0 || index >= ListCount()) RaiseError(kErrInvalidCall);
  return items_[static_cast<size_t>(index)];
}

int QtListBox::ListIndex() const {
  QListWidgetItem* current = widget_->currentItem();
  return current && current->isSelected() ? widget_->currentRow() : -1;
}

std::optional<QPoint> QtListBox::EntryCentre(const std::string& entry) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] != entry) continue;
    QListWidgetItem* item = widget_->item(static_cast<int>(i));
    widget_->scrollToItem(item);
    return widget_->visualItemRect(item).center();
  }
  return std::nullopt;
}

// QtTextBox

QtTextBox::QtTextBox(QWidget& parent, std::string name)
    : QtWidgetControl(parent, std::move(name)) {}

std::string QtTextBox::Text() const { return widget_->text().toStdString(); }

void QtTextBox::SetText(const std::string& text) { widget_->setText(QString::fromStdString(text)); }

// QtCommandButton

QtCommandButton::QtCommandButton(QWidget& parent, std::string name, std::string caption)
    : QtWidgetControl(parent, std::move(name)), caption_(std::move(caption)) {
  widget_->setText(ToQString(caption_));
  widget_->setAutoDefault(false);
  QObject::connect(widget_.get(), &QPushButton::clicked, [this] {
    if (onClick) onClick();
  });
}

}  // namespace tf::ui
