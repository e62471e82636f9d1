#pragma once

#include <QFont>
#include <QGraphicsItem>
#include <QPixmap>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/qt/qt_pointer.h"
#include "platform/ui/controls.h"

namespace tf::ui {

class AnimationPlayer;

class QtForm;

// The scene item behind every visible control: a rectangle that paints what
// its control asks and hands mouse events to the control's handlers.
class ControlItem : public QGraphicsItem {
 public:
  enum { Type = UserType + 1 };

  ControlItem(Control& owner, QGraphicsItem* parent);

  int type() const override { return Type; }
  QRectF boundingRect() const override;
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
  void SetSize(QSizeF size);
  Control& Owner() const { return owner_; }
  // A pointer of the control's own, at its file's size, shown scaled as the
  // window shows its pictures; none: the standard pointer.
  void SetOwnPointer(const std::optional<QCursor>& pointer, PointerScaling scaling);
  const std::optional<QCursor>& OwnPointer() const { return ownPointer_; }
  // Shows the own pointer anew for a window that scales its pictures
  // another way.
  void ScalePointer(PointerScaling scaling);

  std::function<void(QPainter&)> paintFn;
  // The picture paintFn draws over the whole rectangle, while it has no
  // see-through pixel; null otherwise.
  std::function<const QPixmap*()> opaquePicture;
  // The part of the rectangle that paintFn fills with no see-through pixel;
  // empty for none. Without it, the whole rectangle while opaquePicture
  // gives a picture.
  std::function<QRectF()> opaqueRect;
  // Runs before the control's own handlers (the check box ticks itself).
  std::function<void()> onUserClick;

 protected:
  void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
  void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
  void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
  void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;

 private:
  Control& owner_;
  QSizeF size_;
  std::optional<QCursor> ownPointer_;
};

// What the form asks of each of its Qt controls, whatever its kind.
class QtControlBase {
 public:
  virtual ControlItem& Item() const = 0;
  // A new element of the control's array: the same kind, container, place
  // and settings, with the given index.
  virtual Control& Clone(QtForm& form, int index) const = 0;
  // Hands the controls that lie in this one to this one's own container.
  virtual void ReleaseChildren() = 0;

 protected:
  ~QtControlBase() = default;
};

// The Qt side of a control; null for one that no Qt form made.
QtControlBase* QtControlOf(Control& control);
const QtControlBase* QtControlOf(const Control& control);

// What all the Qt controls share: geometry in twips over a ControlItem.
template <class Interface>
class QtControl : public Interface, public QtControlBase {
 public:
  QtControl(QtForm& form, std::string name, int index, Container* container,
            QGraphicsItem* parentItem);
  ~QtControl() override;

  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Move(int left, int top, int width, int height) override;
  void BringToFront() override;
  void SetContainer(Container* container) override;
  void SetStandardPointer() override;
  void SetCustomPointer(const std::string& storedPath) override;
  const std::string& ToolTipText() const override { return toolTip_; }
  void SetToolTipText(const std::string& text) override;
  void Drag() override;

  Container* GetContainer() const { return container_; }
  void ReleaseChildren() override;
  ControlItem& Item() const override { return *item_; }

 protected:
  QtForm& form_;
  Container* container_;
  std::unique_ptr<ControlItem> item_;
  bool visible_ = true;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string toolTip_;
};

class QtImage : public QtControl<Image> {
 public:
  QtImage(QtForm& form, std::string name, int index, Container* container, QGraphicsItem* parent);
  void LoadPicture(const std::string& storedPath) override;
  void LoadPictureQuietly(const std::string& storedPath) override;
  void LoadBuiltinPicture(BuiltinPicture picture) override;
  void ClearPicture() override;
  bool HasPicture() const override { return !Pixmap().isNull(); }
  void SetStretch(bool stretch) override;
  bool Stretch() const override { return stretch_; }
  int PictureWidth() const override;
  int PictureHeight() const override;
  void SetPictureFrom(const Image& source) override;
  void SetDragIconFromPicture(const Image& source) override;
  void SetDragIconFrom(const Image& source) override;
  bool HasDragIcon() const override { return !dragIcon_.isNull(); }
  Control& Clone(QtForm& form, int index) const override;

  const QPixmap& Pixmap() const {
    Settle();
    return pixmap_;
  }
  void SetPixmap(const QPixmap& pixmap);
  const QPixmap& DragIcon() const { return dragIcon_; }

 private:
  // Puts a picture being decoded or drawn ahead in place, once it is needed.
  void Settle() const;
  mutable QPixmap pixmap_;
  mutable std::string settling_;
  mutable std::optional<BuiltinPicture> builtin_;
  QPixmap dragIcon_;
  bool stretch_ = false;
};

class QtLabel : public QtControl<Label> {
 public:
  QtLabel(QtForm& form, std::string name, int index, Container* container, QGraphicsItem* parent);
  const std::string& Caption() const override { return caption_; }
  void SetCaption(std::string caption) override;
  const Font& GetFont() const override { return font_; }
  void SetFont(const Font& font) override;
  Colour ForeColor() const override { return foreColor_; }
  void SetForeColor(Colour colour) override;
  void SetBackColor(Colour colour) override;
  void SetTransparent(bool transparent) override;
  void SetAlignment(Alignment alignment) override;
  void SetAutoSize(bool autoSize) override;
  Control& Clone(QtForm& form, int index) const override;

 private:
  void FitToCaption();
  std::string caption_;
  Font font_;
  Colour foreColor_ = 0;
  Colour backColor_ = 0xFFFFFF;
  bool transparent_ = false;
  Alignment alignment_ = Alignment::Left;
  bool autoSize_ = false;
};

class QtCheckBox : public QtControl<CheckBox> {
 public:
  QtCheckBox(QtForm& form, std::string name, int index, Container* container,
             QGraphicsItem* parent);
  int Value() const override { return value_; }
  void SetValue(int value) override;
  Control& Clone(QtForm& form, int index) const override;

 private:
  int value_ = 0;
};

class QtContainer : public QtControl<Container> {
 public:
  QtContainer(QtForm& form, std::string name, int index, Container* container,
              QGraphicsItem* parent);
  Colour BackColor() const override { return backColor_; }
  void SetBackColor(Colour colour) override;
  int ScaleWidth() const override { return Width(); }
  int ScaleHeight() const override { return Height(); }
  void PaintPicture(const Image& source, int x, int y, int width, int height) override;
  void Refresh() override;
  Control& Clone(QtForm& form, int index) const override;

 private:
  Colour backColor_ = 0;
  QPainter* painter_ = nullptr;
};

class QtAnimatedPicture : public QtControl<AnimatedPicture> {
 public:
  QtAnimatedPicture(QtForm& form, std::string name, int index, Container* container,
                    QGraphicsItem* parent);
  ~QtAnimatedPicture() override;
  void LoadFile(const std::string& storedPath) override;
  void SetSpeed(int speed) override;
  int Speed() const override { return speed_; }
  void Start() override;
  void Stop() override;
  bool Playing() const override;
  int CurrentFrame() const override;
  Control& Clone(QtForm& form, int index) const override;

 private:
  int SpeedPercent() const;
  int speed_ = 50;
  // Plays from the file's bytes, read at once so that the file isn't kept open.
  std::unique_ptr<AnimationPlayer> player_;
};

// Never fires before its interval is over: Qt's precise timers keep to the
// millisecond, and a wake-up that still comes early waits out the rest.
class QtTimer : public Timer {
 public:
  explicit QtTimer(std::string name);

 private:
  void Restart() override;
  void Arm(std::chrono::steady_clock::duration wait);
  void Fire();
  QTimer timer_;
  std::chrono::steady_clock::time_point due_;
};

class QtMenuEntry : public MenuEntry {
 public:
  QtMenuEntry(std::string name, std::string caption)
      : MenuEntry(std::move(name), -1), caption_(std::move(caption)) {}
  const std::string& Caption() const override { return caption_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;

  // Lets the window's menu strip follow the entry.
  std::function<void()> onVisibilityChanged;

 private:
  std::string caption_;
  bool visible_ = true;
};

QColor ToQColor(Colour colour);
// The font as the controls draw it: points at 96 dots per inch, whatever the
// desktop says.
QFont ToQFont(const Font& font);
// Stored text, or no more than its first `longest` characters.
QString ToQString(std::string_view storedText, size_t longest = std::string_view::npos);
// What a title bar or a tip shows at most; megabytes of either would keep Qt
// laying them out for minutes.
constexpr size_t kLongestTitle = 1024;

// The size of a picture in the windows' own pixels: a picture drawn for a
// scaled desktop has more pixels than that.
QSize ShownSize(const QPixmap& pixmap);

// Draws a picture into a painter at a rectangle given in twips.
void DrawPicture(QPainter& painter, const QPixmap& pixmap, int x, int y, int width, int height);

}  // namespace tf::ui
