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

}  // namespace tf::ui
