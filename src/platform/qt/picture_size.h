#pragma once

#include <QImageReader>
#include <string>

namespace tf::ui {

// No control of a game screen is wider or taller than 32767 twips (2184
// pixels), and the largest screen scales the game up less than four times:
// a picture with a side beyond this can never be shown whole.
constexpr int kMaxPictureSide = 8192;

// Refuses a picture whose header gives a side beyond kMaxPictureSide with the
// invalid-picture error, before anything of it is decoded.
void CheckPictureSize(QImageReader& reader, const std::string& storedPath);

// Whether the first bytes of a file are a GIF's whose logical screen, on which
// its frames are drawn, has a side beyond kMaxPictureSide.
bool GifScreenTooLarge(const QByteArray& head);

// The most pixels one pass of an animation may draw: each of its frames is
// drawn on its whole screen, and a pass too large to keep is decoded afresh
// each time. 2^30, about a billion: 517 frames of 1920 x 1080, or 3,495 of
// 640 x 480.
constexpr qint64 kMaxAnimationPixels = qint64(1) << 30;

// The same for an animation read from the device, whose frames may be drawn
// on a larger screen than the first of them; also refuses one whose pass
// draws more than kMaxAnimationPixels. Leaves the device at its start.
void CheckAnimationSize(QIODevice& device, const std::string& storedPath);

}  // namespace tf::ui
