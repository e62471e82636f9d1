#include "welcome/scheme.h"

#include <algorithm>
#include <exception>

#include "game/player.h"
#include "platform/runtime/case_fold.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/text_reader.h"
#include "platform/runtime/val.h"
#include "startup/welcome_window.h"

namespace tf {

namespace {
// N and the colour flag: the number at the front of the text.
int LeadingNumber(TextReader& file) {
  const double value = Val(file.ReadText());
  return static_cast<int>(std::clamp(value, -32768.0, 32767.0));
}

void ApplyPictureEntry(Welcome& welcome, const std::string& folder, int index,
                       const std::string& entry) {
  if (index >= welcome.Img().Count()) return;
  ui::Image& image = welcome.Img()[index];
  const std::string lower = FoldCase(entry);
  if (lower == "[default]") return;
  if (lower == "[none]") {
    image.ClearPicture();
    image.SetVisible(false);
    return;
  }
  try {
    image.LoadPicture(folder + entry);
  } catch (const std::exception&) {
    // The element keeps its picture and is still shown.
  }
  image.SetVisible(true);
}

void ApplyColours(Welcome& welcome, TextReader& file) {
  if (LeadingNumber(file) == 0) return;
  const ui::Colour back = static_cast<ui::Colour>(file.ReadVariant().ToInt32());
  const ui::Colour title = static_cast<ui::Colour>(file.ReadVariant().ToInt32());
  const ui::Colour text = static_cast<ui::Colour>(file.ReadVariant().ToInt32());
  welcome.Window().SetBackColor(back);
  welcome.txtAdventureName.SetForeColor(title);
  for (ui::Label* label :
       {&welcome.lblResolution, &welcome.txtVersion, &welcome.lblAuthor, &welcome.lblEmail,
        &welcome.lblHomepage, &welcome.txtAuthor, &welcome.txtEmail, &welcome.txtHomepage})
    label->SetForeColor(text);
}
}  // namespace

void UseScheme(Welcome& welcome, const std::string& schemeName) {
  const std::string folder = welcome.GetPlayer().paths.SchemesPath + schemeName + "\\";
  try {
    if (!StoredFileExists(folder + "Scheme.txt")) return;
    TextReader file = TextReader::Open(folder + "Scheme.txt");
    for (int value = 1; value <= 3; ++value) file.ReadText();
    const int count = LeadingNumber(file);
    if (count == 0) return;
    for (int i = 0; i < count; ++i) {
      // Past the end every entry reads as "[default]": nothing more to do.
      if (!file.HasMoreData()) break;
      std::string entry = "[default]";
      try {
        entry = file.ReadText();
      } catch (const std::exception&) {
      }
      ApplyPictureEntry(welcome, folder, i, entry);
    }
    if (welcome.Img().Count() > 3) welcome.Img()[3].SetVisible(false);
    ApplyColours(welcome, file);
  } catch (const std::exception&) {
    // What was applied stays; a scheme never reports its faults.
  }
}

}  // namespace tf
