#include "areas/texts.h"

#include <cmath>
#include <functional>
#include <optional>

#include "areas/area_files.h"
#include "areas/input.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"

namespace tf {

namespace {
int Twips(const Variant& value) {
  return static_cast<int>(std::lround(static_cast<float>(value.ToDouble())));
}

// Reads the ten values of a label file. Each value that reads well is
// applied; the font's all at once and the caption last, so that the label
// takes its size from them once.
void ApplyLabelFile(ui::Label& text, const std::string& path) {
  std::optional<TextReader> file;
  IgnoringErrors([&] { file.emplace(TextReader::Open(path)); });
  if (!file) return;
  auto next = [&](const std::function<void(const Variant&)>& apply) {
    IgnoringErrors([&] { apply(file->ReadVariant()); });
  };
  std::optional<std::string> caption;
  ui::Font font = text.GetFont();
  // Taken whole from the value read: a caption may be long.
  IgnoringErrors([&] { caption = file->ReadVariant().ToText(); });
  next([&](const Variant& v) { text.SetLeft(Twips(v)); });
  next([&](const Variant& v) { text.SetTop(Twips(v)); });
  next([&](const Variant& v) { font.bold = v.IsNonZero(); });
  next([&](const Variant& v) { font.italic = v.IsNonZero(); });
  next([&](const Variant& v) { font.name = v.ToText(); });
  next([&](const Variant& v) {
    const double size = static_cast<float>(v.ToDouble());
    if (size <= 0) RaiseError(kErrInvalidPropertyValue);
    font.size = size;
  });
  next([&](const Variant& v) { font.strikeout = v.IsNonZero(); });
  next([&](const Variant& v) { font.underline = v.IsNonZero(); });
  next([&](const Variant& v) {
    const int32_t colour = v.ToInt32();
    if (colour < 0 || colour > 0xFFFFFF) RaiseError(kErrInvalidPropertyValue);
    text.SetForeColor(static_cast<ui::Colour>(colour));
  });
  IgnoringErrors([&] { text.SetFont(font); });
  if (caption) IgnoringErrors([&] { text.SetCaption(std::move(*caption)); });
}
}  // namespace

void LoadTexts(Game& game) {
  const std::string folder = FrameAreaFolder(game);
  IgnoringErrors([&] {
    game.File1.SetPath(folder);
    game.File1.SetPattern("*.lbl");
  });
  for (int j = 0; j < game.File1.ListCount(); ++j) {
    ui::Label* text = nullptr;
    IgnoringErrors([&] {
      const int index = game.Text.UBound() + 1;
      text = &game.Text.Load(index);
      text->onMouseDown = [&game, index](const ui::MouseArgs& args) {
        Text_MouseDown(game, index, args);
      };
    });
    if (!text) continue;
    text->SetVisible(false);
    // What the label file fails to give stays blank rather than the
    // template's caption.
    text->SetCaption("");
    ApplyLabelFile(*text, folder + game.File1.List(j));
    // Sized once, to what the file gave.
    text->SetAutoSize(true);
    text->SetVisible(true);
    text->BringToFront();
  }
}

void ResetFrameTexts(Game& game) {
  const int last = game.Text.UBound();
  for (int index = 1; index <= last; ++index) IgnoringErrors([&] { game.Text.Unload(index); });
}

}  // namespace tf
