// The least a Qt program does to open a window: the reference for the
// player's start. Writes "window shown" when its window is shown, as the
// player's trace does for its welcome window.

#include <QApplication>
#include <QWidget>
#include <iostream>

namespace {
class Window : public QWidget {
 protected:
  void showEvent(QShowEvent*) override { std::cout << "window shown" << std::endl; }
};
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Window window;
  window.resize(640, 480);
  window.show();
  return QApplication::exec();
}
