#pragma once

#include <QGraphicsView>
#include <QTimer>
#include <QTransform>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/qt_controls.h"
#include "platform/ui/form.h"

class QEventLoop;
class QGraphicsScene;
class QPainter;
class QScreen;

namespace tf::ui {

class ControlItem;
class MenuStrip;
class QtForm;

// The window of a form: a graphics view whose scene holds the controls.
class FormView : public QGraphicsView {
 public:
  explicit FormView(QtForm& form);
  // Repaints the pixels a picture item shows, after it changed its picture
  // for one of the same size.
  void RepaintPicture(ControlItem& item);

 protected:
  void drawBackground(QPainter* painter, const QRectF& rect) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // A point of the viewport in the scene, between pixels where it is scaled.
  QPointF ToScene(QPointF viewPoint) const;
  QGraphicsItem* TopItemAt(const QRect& rect) const;
  void FillBeneathControls(QPainter& painter, const QRectF& rect) const;
  std::optional<QRect> PicturePixels(const ControlItem& item) const;
  bool PaintsAlone(const ControlItem& item, const QRect& pixels);
  bool PaintOnWindow(ControlItem& item, const QRect& pixels);
  bool CopyPicture(const ControlItem& item, QPaintDevice& device, QPoint offset,
                   const QRect& inWindow) const;

  QtForm& form_;
  // The picture last found with nothing over its pixels, while that holds.
  struct {
    const ControlItem* item = nullptr;
    QRect pixels;
  } alone_;
};

class QtForm : public Form {
 public:
  QtForm(std::string name, FormStyle style);
  ~QtForm() override;

  const std::string& Name() const override { return name_; }
  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& caption) override;
  int Left() const override;
  int Top() const override;
  int Width() const override;
  int Height() const override;
  void Move(int left, int top, int width, int height) override;
  int ScaleWidth() const override;
  int ScaleHeight() const override;
  bool Visible() const override;
  void Show() override;
  void ShowModal(const Form& owner) override;
  void Hide() override;
  void Close() override;
  void SetFocus() override;
  void SetTopmost(bool topmost) override;
  void SetBackColor(Colour colour) override;
  void BeginUserMove() override;
  void PaintPicture(const Image& source, int x, int y, int width, int height) override;
  void Refresh() override;
  void SetFullScreen(bool fullScreen) override;
  bool FullScreen() const override { return fullScreen_; }
  void SetScaling(Scaling scaling) override;
  Scaling GetScaling() const override { return scaling_; }
  void SetScreenControl(const Control& control) override;
  // The virtual screen a display mode gave (none: the monitor's own).
  void SetVirtualScreen(const std::optional<QSize>& size);
  // What a screen window shows, in its own pixels: the virtual screen, or
  // the area of its screen control, or its own area.
  QRect ShownRect() const;
  // Called by a control of the window when it moved or changed its size.
  void ControlMoved(const Control& control);
  // How the window shows pointer files now: enlarged as much as its
  // pictures, on the screen and by the desktop's device pixel ratio.
  PointerScaling PointerScalingNow() const;

  QtImage& CreateImage(const std::string& name, Container* container, int index) override;
  QtLabel& CreateLabel(const std::string& name, Container* container, int index) override;
  QtCheckBox& CreateCheckBox(const std::string& name, Container* container) override;
  QtContainer& CreateContainer(const std::string& name, Container* container, int index) override;
  QtAnimatedPicture& CreateAnimatedPicture(const std::string& name, Container* container,
                                           int index) override;
  StringList& CreateStringList(const std::string& name) override;
  FileList& CreateFileList(const std::string& name) override;
  Timer& CreateTimer(const std::string& name) override;
  MenuEntry& CreateMenuEntry(const std::string& name, const std::string& caption) override;
  ListBox& CreateListBox(const std::string& name) override;
  TextBox& CreateTextBox(const std::string& name) override;
  CommandButton& CreateCommandButton(const std::string& name, const std::string& caption) override;
  Control& CloneControl(const Control& templ, int index) override;
  void Destroy(Component& component) override;

  // For the walkthrough runner and screenshots.
  FormView& View() { return *view_; }
  // The button of a menu entry in the window's menu strip, null if none.
  QWidget* MenuButton(const std::string& entryName) const;
  // The control of that name and array index (-1: not in an array).
  Control* FindControl(const std::string& name, int index) const;
  // Where the centre of what a control shows lies in the view, or nullopt
  // when it is not shown.
  std::optional<QPoint> CentreInView(const Control& control) const;
  // Where a point of a control (pixels from its top-left corner) lies in the
  // view, or nullopt when the control is not shown.
  std::optional<QPoint> PointInView(const Control& control, QPoint point) const;
  // Renders what the window shows.
  QImage Grab() const;
  // Renders the part of the window a control covers, at 1:1 scale.
  QImage RenderControl(const Control& control) const;
  // A stacking order above every control made or brought to the front so far.
  int64_t NextZ() { return nextZ_++; }
  // The program's own drag: the mouse is grabbed and the pointer shows the
  // control's drag picture, centred on the hot spot, until the release.
  void BeginDrag(Control& source);
  // The control being dragged, null when no drag is on.
  const Control* DragSource() const { return dragSource_; }

  // Called with true / false when the window is shown or hidden.
  std::function<void(bool)> onVisibilityChanged;

 private:
  friend class FormView;
  template <class T, class... Args>
  T& Add(Args&&... args);
  // A control made with a null container goes straight into the scene.
  template <class T>
  T& AddControl(const std::string& name, Container* container, int index);
  QGraphicsItem* ParentItem(Container* container) const;
  void UpdateSceneRect();
  // Shows the controls' own pointers anew when the window's scale changed.
  void ScalePointers();
  void Paint(QPainter& painter);
  // Ends the drag; with a point of the view, the control there gets the drop.
  void EndDrag(std::optional<QPoint> dropAt);
  // The window became the active one of the desktop.
  void Activated();
  // Places a screen window on its monitor, fullscreen or as a window.
  void Present();
  void SetFramed(bool framed);
  double ScaleFor(QSize room) const;
  // Where the game window shows the virtual screen on a monitor, none when
  // no virtual screen is on: filling the monitor, its aspect kept.
  std::optional<QTransform> VirtualScreenOn(const QScreen* monitor) const;
  // An ordinary window placed on the virtual screen keeps its size and goes
  // where its centre is shown on the monitor; Placed is the way back.
  QRect OnDesktop(const QRect& onScreen, const QScreen* monitor) const;
  QRect Placed() const;
  QRect Frame() const { return view_->frameGeometry(); }
  // Enter presses the default button, Escape the cancel button; false when
  // the window has none for the key.
  bool PressRoleButton(int keyCode);

  std::string name_;
  std::string caption_;  // whole, though the title bar gets only its start
  FormStyle style_;
  Colour backColor_ = Rgb(240, 240, 240);
  std::unique_ptr<QGraphicsScene> scene_;
  std::unique_ptr<FormView> view_;
  MenuStrip* menuStrip_;  // a child of the view
  // In creation order; destroyed last to first, so that what lies in a
  // container goes before the container.
  std::vector<std::unique_ptr<Component>> components_;
  // Destroyed controls, kept hidden until the event being handled is over:
  // an area's own press handler may open another frame and so destroy it.
  std::vector<std::unique_ptr<Component>> retired_;
  QTimer retireTimer_;
  QPainter* painter_ = nullptr;
  int64_t nextZ_ = 1;
  Control* dragSource_ = nullptr;
  // A screen window: set by the first SetFullScreen.
  bool screenWindow_ = false;
  bool fullScreen_ = false;
  Scaling scaling_ = Scaling::SmoothFit;
  // The outer position and size the game gave a screen window, in pixels.
  QRect logical_;
  std::optional<QSize> virtualScreen_;
  const Control* screenControl_ = nullptr;
  PointerScaling pointerScaling_;
  // Where the mouse was pressed last, from the window's top-left corner.
  QPoint pressOffset_;
  // A press may start one move of the window, until its release.
  bool moveArmed_ = false;
  // The wait of ShowModal, ended when the window hides.
  QEventLoop* modalLoop_ = nullptr;
  bool modalHidden_ = false;
  // The program's window the user is in, or was in last while it stayed
  // shown; null before the first.
  static QtForm* activeForm_;
};

}  // namespace tf::ui
