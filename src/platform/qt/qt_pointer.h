#pragma once

#include <QByteArray>
#include <QCursor>
#include <string>

namespace tf::ui {

// A mouse pointer from the bytes of a cursor (.cur) or icon (.ico) file: the
// file's largest picture, with the cursor's own hot spot or, for an icon, the
// centre. Error 481 for bytes that are no cursor or icon; the detail names
// the file.
QCursor PointerFromBytes(const QByteArray& bytes, const std::string& storedPath);

// The same from a file named by a stored path; error 53 when it is missing.
QCursor LoadPointer(const std::string& storedPath);

// How a window shows the pixels of a pointer's picture: the device pixels
// that one of them takes, and whether scaled smoothly or sharp.
struct PointerScaling {
  double scale = 1;
  bool smooth = false;
  bool operator==(const PointerScaling&) const = default;
};

// The pointer enlarged or reduced as the window shows its pictures, its hot
// spot in the middle of the pixel it was on.
QCursor ScaledPointer(const QCursor& pointer, PointerScaling scaling);

}  // namespace tf::ui
