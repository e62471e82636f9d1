#include "platform/qt/qt_desktop.h"

#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTemporaryFile>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/qt/picture_store.h"
#include "platform/qt/qt_controls.h"

namespace tf {

// QtEventLoop

void QtEventLoop::ProcessPendingEvents() {
  ++pendingPasses_;
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  --pendingPasses_;
}

void QtEventLoop::ProcessEventsUntil(const std::function<bool()>& condition,
                                     std::chrono::milliseconds recheck) {
  // The timer only wakes the blocking wait so the condition is looked at
  // again; between events and ticks the thread sleeps.
  QTimer wake;
  wake.start(std::max<int>(1, static_cast<int>(recheck.count())));
  while (!ended_ && !condition())
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventLoop::ProcessEventsFor(std::chrono::milliseconds duration) {
  const auto deadline = std::chrono::steady_clock::now() + duration;
  QTimer wake;
  wake.setSingleShot(true);
  while (!ended_) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    wake.start(static_cast<int>(left.count()) + 1);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

void QtEventLoop::EndProgram() {
  ended_ = true;
  if (onEndProgram) {
    onEndProgram();
    return;
  }
  for (QWidget* widget : QApplication::topLevelWidgets()) widget->hide();
  QCoreApplication::exit(0);
}

void QtEventLoop::Quit(int status) {
  ended_ = true;
  QCoreApplication::exit(status);
}

// QtClock

int64_t QtClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// QtDisplay

namespace {
QSize MonitorSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize();
}
}  // namespace

int QtDisplay::ScreenWidth() const {
  return virtualScreen_ ? virtualScreen_->width() : MonitorSize().width();
}

int QtDisplay::ScreenHeight() const {
  return virtualScreen_ ? virtualScreen_->height() : MonitorSize().height();
}

int QtDisplay::ChangeMode(int width, int height) {
  const QSize monitor = MonitorSize();
  // A mode can't have more pixels than the monitor really has; a high-DPI
  // monitor has more than its size in the desktop's units.
  QScreen* screen = QGuiApplication::primaryScreen();
  const QSize pixels = screen ? monitor * screen->devicePixelRatio() : QSize();
  if (width <= 0 || height <= 0 || width > pixels.width() || height > pixels.height())
    return kModeRefused;
  if (QSize(width, height) == monitor)
    virtualScreen_.reset();
  else
    virtualScreen_ = QSize(width, height);
  if (onModeChanged) onModeChanged();
  return kModeChanged;
}

// The monitor's own, not the virtual screen's: windows are placed on the
// real desktop, in its units.
ScreenRect QtDisplay::WorkArea() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect area = screen->availableGeometry();
  return {area.x(), area.y(), area.width(), area.height()};
}

// Our windows draw text at its 96-dpi pixel size whatever the desktop's dots
// per inch, and a desktop scale factor enlarges the whole window with its
// text, so neither makes text outgrow its place. What is measured is the
// height, in the window's own pixels, of the standard 8.25-point text as the
// controls draw it: only a desktop that still enlarges that text (a forced
// font, a minimum size) makes it taller than the 13 pixels it was designed at.
std::optional<int> QtDisplay::SystemFontHeight() const {
  if (!QGuiApplication::primaryScreen()) return std::nullopt;
  QFontMetrics metrics(ui::ToQFont(ui::Font{}));
  return metrics.ascent() + metrics.descent();
}

// QtLinkOpener

void QtLinkOpener::OpenLink(const std::string& address) {
  QDesktopServices::openUrl(QUrl::fromUserInput(ui::ToQString(address)));
}

// QtSettingsStore

std::string QtSettingsStore::FilePath(const std::string& application) {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty()) base = QDir::homePath() + "/.config";
  return (base + "/taleforge/" + ui::ToQString(application) + ".ini").toStdString();
}

namespace {
// The registry the games were written for keeps no key name past 255
// characters, and an empty group is the file's general section, which
// another game without a key would read: either kind of section is neither
// read nor written. Text is stored one byte a character.
constexpr size_t kLongestSection = 255;
bool StorableSection(const std::string& section) {
  return !section.empty() && section.size() <= kLongestSection;
}

// A settings file, or its lock, that is something else than a file (a named
// pipe would hold the program for ever at its opening) is left alone: such a
// settings file reads as missing and is not written.
bool FileOrNothing(const QString& path) {
  const QFileInfo info(path);
  return !info.exists() || info.isFile();
}
}  // namespace

std::optional<std::string> QtSettingsStore::Get(const std::string& application,
                                                const std::string& section,
                                                const std::string& key) const {
  const QString path = QString::fromStdString(FilePath(application));
  if (!StorableSection(section) || !FileOrNothing(path)) return std::nullopt;
  QSettings settings(path, QSettings::IniFormat);
  settings.beginGroup(ui::ToQString(section));
  QVariant value = settings.value(ui::ToQString(key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

namespace {
// How long a write waits for another writer of the file before it goes on
// without writing.
constexpr std::chrono::milliseconds kSettingsLockWait{300};

// Writes the value into a copy of the file beside it; the path of the copy,
// or nothing on failure.
std::optional<QString> WriteDraft(const QString& path, const std::string& section,
                                  const std::string& key, const std::string& value) {
  QTemporaryFile draft(path + ".XXXXXX");
  if (!draft.open()) return std::nullopt;
  QFile old(path);
  if (old.exists() && (!old.open(QIODevice::ReadOnly) || draft.write(old.readAll()) != old.size()))
    return std::nullopt;
  draft.close();
  QSettings settings(draft.fileName(), QSettings::IniFormat);
  settings.beginGroup(ui::ToQString(section));
  settings.setValue(ui::ToQString(key), ui::ToQString(value));
  settings.endGroup();
  settings.sync();
  QFile written(draft.fileName());
  if (settings.status() != QSettings::NoError || !written.open(QIODevice::ReadWrite) ||
      ::fsync(written.handle()) != 0)
    return std::nullopt;
  // QSettings takes a file of the same size and time as the one it read
  // last for unchanged; a second write within the same millisecond must
  // not look like that.
  QDateTime oldTime = QFileInfo(path).lastModified();
  if (oldTime.isValid() && written.fileTime(QFileDevice::FileModificationTime) == oldTime)
    written.setFileTime(oldTime.addMSecs(1), QFileDevice::FileModificationTime);
  draft.setAutoRemove(false);
  return draft.fileName();
}
}  // namespace

void QtSettingsStore::Set(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& value) {
  if (!StorableSection(section)) return;
  QString path = QString::fromStdString(FilePath(application));
  if (!FileOrNothing(path) || !FileOrNothing(path + ".lock")) return;
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return;
  // The lock QSettings itself takes. One held by a program that hangs, or
  // left by another machine, costs this write instead of the program's end.
  QLockFile lock(path + ".lock");
  if (!lock.tryLock(kSettingsLockWait)) return;
  // The new file takes the old one's place whole, so a crash leaves the one
  // or the other.
  std::optional<QString> draft = WriteDraft(path, section, key, value);
  if (draft &&
      std::rename(QFile::encodeName(*draft).constData(), QFile::encodeName(path).constData()) != 0)
    QFile::remove(*draft);
}

// QtWindowFactory

namespace {
// Removes itself from the factory's list when the window goes.
class TrackedForm : public ui::QtForm {
 public:
  TrackedForm(std::string name, ui::FormStyle style, std::vector<ui::QtForm*>& forms)
      : QtForm(std::move(name), style), forms_(forms) {
    forms_.push_back(this);
  }
  ~TrackedForm() override { std::erase(forms_, this); }

 private:
  std::vector<ui::QtForm*>& forms_;
};
}  // namespace

std::unique_ptr<ui::Form> QtWindowFactory::CreateForm(const std::string& name,
                                                      ui::FormStyle style) {
  auto form = std::make_unique<TrackedForm>(name, style, forms_);
  form->SetVirtualScreen(virtualScreen_);
  form->onVisibilityChanged = [this, name](bool visible) {
    if (onVisibilityChanged) onVisibilityChanged(name, visible);
  };
  return form;
}

void QtWindowFactory::PrefetchPictures(const std::vector<std::string>& storedPaths) {
  ui::PictureStore::Shared().Prefetch(storedPaths);
}

void QtWindowFactory::PrefetchMorePictures(const std::vector<std::string>& storedPaths) {
  ui::PictureStore::Shared().PrefetchMore(storedPaths);
}

void QtWindowFactory::SetVirtualScreen(const std::optional<QSize>& size) {
  virtualScreen_ = size;
  for (ui::QtForm* form : forms_) form->SetVirtualScreen(size);
}

ui::QtForm* QtWindowFactory::Find(const std::string& name) const {
  for (ui::QtForm* form : forms_)
    if (form->Name() == name) return form;
  return nullptr;
}

// QtMessageBoxes

namespace {
// In the middle of the monitor of the window in use (the game's while it
// plays), placed once the box has its size and before it appears.
class CentredMessageBox : public QMessageBox {
 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    const QWidget* inUse = QApplication::activeWindow();
    const QScreen* monitor = inUse ? inUse->screen() : QGuiApplication::primaryScreen();
    if (!monitor) return;
    QRect frame = frameGeometry();
    frame.moveCenter(monitor->geometry().center());
    move(frame.topLeft());
  }
};
}  // namespace

ui::MessageAnswer QtMessageBoxes::Show(const std::string& text, ui::MessageButtons buttons,
                                       ui::MessageIcon icon, const std::string& title) {
  CentredMessageBox box;
  box.setWindowTitle(ui::ToQString(title, ui::kLongestTitle));
  // No screen shows more of a message than this, and Qt would take minutes
  // to lay out some megabytes of it.
  constexpr size_t kLongestMessage = 16384;
  box.setText(ui::ToQString(text, kLongestMessage));
  switch (icon) {
    case ui::MessageIcon::Critical:
      box.setIcon(QMessageBox::Critical);
      break;
    case ui::MessageIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case ui::MessageIcon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case ui::MessageIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
  }
  switch (buttons) {
    case ui::MessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Ok);
      break;
    case ui::MessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case ui::MessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      box.setEscapeButton(QMessageBox::No);
      break;
  }
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return ui::MessageAnswer::Cancel;
    case QMessageBox::Yes:
      return ui::MessageAnswer::Yes;
    case QMessageBox::No:
      return ui::MessageAnswer::No;
    default:
      return ui::MessageAnswer::Ok;
  }
}

}  // namespace tf
