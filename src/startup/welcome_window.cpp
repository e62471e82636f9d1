#include "startup/welcome_window.h"

#include "frames/editor_and_game.h"
#include "frames/new_game.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/variant.h"
#include "platform/ui/twips.h"
#include "startup/project.h"
#include "state/load_dialog.h"
#include "welcome/scheme.h"
#include "welcome/welcome_events.h"

namespace tf {

namespace {
constexpr int kLineStep = 255;
constexpr int kFirstLineTop = 3000;
constexpr int kDesignWidth = 4800;
constexpr int kDesignHeight = 4200;

const ui::Colour kBackColour = ui::Rgb(28, 38, 58);
const ui::Colour kTitleColour = ui::Rgb(250, 226, 160);
const ui::Colour kTextColour = ui::Rgb(222, 228, 238);
const ui::Colour kLinkColour = ui::Rgb(140, 190, 255);

void Style(ui::Label& label, ui::Colour colour, double size, bool bold = false) {
  ui::Font font;
  font.size = size;
  font.bold = bold;
  label.SetFont(font);
  label.SetForeColor(colour);
  label.SetTransparent(true);
}

// In the middle of the desktop's work area: its start plus (its size -
// window) / 2 in each direction, in twips.
void CentreOnScreen(ui::Form& form, const Platform& platform) {
  const ScreenRect area = platform.display.WorkArea();
  form.Move(area.left * ui::kTwipsPerPixel + (area.width * ui::kTwipsPerPixel - form.Width()) / 2,
            area.top * ui::kTwipsPerPixel + (area.height * ui::kTwipsPerPixel - form.Height()) / 2,
            form.Width(), form.Height());
}
}  // namespace

Welcome::Welcome(Player& player)
    : player_(player),
      form_(player.platform.windows.CreateForm("frmWelcome", ui::FormStyle::Borderless)),
      txtAdventureName(NewLabel("txtAdventureName")),
      txtVersion(NewLabel("txtVersion")),
      lblAuthor(NewLabel("lblAuthor")),
      txtAuthor(NewLabel("txtAuthor")),
      lblEmail(NewLabel("lblEmail")),
      txtEmail(NewLabel("txtEmail")),
      lblHomepage(NewLabel("lblHomepage")),
      txtHomepage(NewLabel("txtHomepage")),
      chkResolution(form_->CreateCheckBox("chkResolution", nullptr)),
      lblResolution(NewLabel("lblResolution")),
      Image9(NewImage("Image9")),
      Picture1(form_->CreateContainer("Picture1", nullptr, -1)),
      lblInformation(NewLabel("lblInformation", &Picture1)),
      Image4(NewImage("Image4", &Picture1)),
      Image8(NewImage("Image8")),
      Image3(NewImage("Image3", &Picture1)),
      Label3(NewLabel("Label3", &Picture1)) {
  Compose();
}

Welcome::~Welcome() = default;

ui::Label& Welcome::NewLabel(const std::string& name, ui::Container* container) {
  return form_->CreateLabel(name, container, -1);
}

ui::Image& Welcome::NewImage(const std::string& name, ui::Container* container, int index) {
  return form_->CreateImage(name, container, index);
}

// The design-time look: what the window shows before its load, and keeps when
// the project information can't be read.
void Welcome::Compose() {
  ui::Form& form = *form_;
  form.SetCaption("Taleforge");
  form.SetBackColor(kBackColour);
  form.Move(0, 0, kDesignWidth, kDesignHeight);

  img_ = std::make_unique<ui::ControlArray<ui::Image>>(form, NewImage("Img", nullptr, 0));
  const ui::BuiltinPicture pictures[] = {ui::BuiltinPicture::NewGame, ui::BuiltinPicture::LoadGame,
                                         ui::BuiltinPicture::Quit};
  for (int i = 0; i < 4; ++i) {
    ui::Image& image = i == 0 ? Img()[0] : Img().Load(i);
    if (i < 3) {
      image.LoadBuiltinPicture(pictures[i]);
      image.Move(300 + i * 1500, 1080, image.Width(), image.Height());
      image.onClick = [this, i] { Img_Click(i); };
      image.SetVisible(true);
    } else {
      // The background tile: no picture of its own, never shown itself.
      image.ClearPicture();
      image.SetVisible(false);
    }
  }

  txtAdventureName.SetCaption("Taleforge adventure");
  Style(txtAdventureName, kTitleColour, 16, true);
  txtAdventureName.SetAlignment(ui::Alignment::Center);
  txtAdventureName.Move(120, 300, kDesignWidth - 240, 660);

  Style(txtVersion, kTextColour, 9);
  txtVersion.SetAlignment(ui::Alignment::Center);
  txtVersion.Move(0, kFirstLineTop, kDesignWidth, kLineStep);

  struct Line {
    ui::Label& caption;
    ui::Label& value;
    const char* text;
    int top;
    ui::Colour colour;
  };
  for (const Line& line : {Line{lblAuthor, txtAuthor, "Created by:", 3360, kTextColour},
                           Line{lblEmail, txtEmail, "E-mail:", 3600, kLinkColour},
                           Line{lblHomepage, txtHomepage, "Website:", 3840, kLinkColour}}) {
    line.caption.SetCaption(line.text);
    Style(line.caption, kTextColour, 9);
    line.caption.Move(240, line.top, 1200, kLineStep);
    Style(line.value, line.colour, 9, true);
    line.value.Move(1440, line.top, kDesignWidth - 1440 - 120, kLineStep);
  }
  ui::Font linkFont = txtEmail.GetFont();
  linkFont.underline = true;
  txtEmail.SetFont(linkFont);
  txtHomepage.SetFont(linkFont);

  chkResolution.Move(240, 3045, 195, 195);
  lblResolution.SetCaption("Change display resolution to 640 x 480.");
  Style(lblResolution, kTextColour, 9);
  lblResolution.Move(540, 3000, kDesignWidth - 540 - 120, kLineStep);
  lblResolution.onClick = [this] { lblResolution_Click(); };

  Image9.LoadBuiltinPicture(ui::BuiltinPicture::About);
  Image9.Move(120, 120, Image9.Width(), Image9.Height());
  Image8.LoadBuiltinPicture(ui::BuiltinPicture::Information);
  Image8.Move(kDesignWidth - 120 - Image8.Width(), 120, Image8.Width(), Image8.Height());
  Image8.onClick = [this] {
    Picture1.Move(0, 0, form_->ScaleWidth(), form_->ScaleHeight());
    Picture1.SetVisible(true);
  };

  Picture1.SetBackColor(ui::Rgb(20, 28, 44));
  Picture1.Move(0, 0, kDesignWidth, kDesignHeight);
  Picture1.SetVisible(false);
  lblInformation.SetCaption(
      "This game plays in the Taleforge player.\r\n\r\nClick a picture on the welcome "
      "window to start a new game, to load a saved one or to quit.\r\n\r\nDuring the game, "
      "press Esc or the right mouse button for the menu.");
  Style(lblInformation, kTextColour, 9);
  lblInformation.Move(300, 600, kDesignWidth - 600, 2100);
  Image4.LoadBuiltinPicture(ui::BuiltinPicture::MakerLink);
  Image4.Move((kDesignWidth - Image4.Width()) / 2, 2850, Image4.Width(), Image4.Height());
  Image3.LoadBuiltinPicture(ui::BuiltinPicture::Back);
  Image3.Move(240, 120, Image3.Width(), Image3.Height());
  Image3.onClick = [this] { Picture1.SetVisible(false); };
  Label3.SetCaption("BACK");
  Style(Label3, kTextColour, 9, true);
  Label3.Move(240 + Image3.Width() + 90, 165, 900, kLineStep);
  Label3.onClick = [this] { Picture1.SetVisible(false); };

  form.onKeyDown = [this](int keyCode, int) { Form_KeyDown(keyCode); };
  form.onUnload = [this](bool&) { Form_Unload(); };
  RouteWelcomeEvents(*this);
}

void Welcome::Load() {
  ui::Form& form = *form_;
  const Platform& platform = player_.platform;
  try {
    CentreOnScreen(form, platform);
    form.Move(form.Left(), form.Top(), kDesignWidth, form.Height());
    if (player_.paths.ProjectPath.empty()) SetProjectPaths(player_.paths, player_.programFolder);
    player_.frames.ClearFrameInfo();
    ReadProjectInformation(player_.paths, player_.info);
  } catch (const RuntimeError&) {
    platform.messages.Show("Unable to load project information. The game may not work properly.",
                           ui::MessageButtons::Ok, ui::MessageIcon::Critical, "Error");
    return;
  }
  ShowProjectInformation();
}

void Welcome::ShowProjectInformation() {
  ui::Form& form = *form_;
  const ProjectInformation& info = player_.info;
  const int frameHeight = form.Height() - form.ScaleHeight();
  int y = kFirstLineTop;

  txtAdventureName.SetCaption(info.GameTitle);
  if (!info.GameVersion.empty()) {
    txtVersion.SetCaption(info.GameVersion);
    txtVersion.SetTop(y);
    txtVersion.SetVisible(true);
    y += kLineStep;
  } else {
    txtVersion.SetCaption("");
    txtVersion.SetVisible(false);
  }
  for (auto [text, value, caption] :
       {std::tuple{&info.AuthorName, &txtAuthor, &lblAuthor},
        std::tuple{&info.AuthorEmail, &txtEmail, &lblEmail},
        std::tuple{&info.AuthorHomepage, &txtHomepage, &lblHomepage}}) {
    if (text->empty()) {
      // A line without text would only show its caption: it goes.
      value->SetVisible(false);
      caption->SetVisible(false);
      continue;
    }
    value->SetCaption(*text);
    value->SetTop(y);
    caption->SetTop(y);
    value->SetVisible(true);
    caption->SetVisible(true);
    y += kLineStep;
  }
  if (player_.frames.IsDisplay640x480() || info.AllowDisplayChange != 1) {
    chkResolution.SetVisible(false);
    lblResolution.SetVisible(false);
  } else {
    chkResolution.SetValue(1);
    chkResolution.SetTop(y + 45);
    lblResolution.SetTop(y);
    chkResolution.SetVisible(true);
    lblResolution.SetVisible(true);
    y += kLineStep;
  }
  form.Move(form.Left(), form.Top(), form.Width(), y + frameHeight + 150);
  form.SetCaption(info.GameTitle);
  CentreOnScreen(form, player_.platform);

  try {
    // Without a game key there is no section of this game's own to read.
    std::optional<std::string> stored;
    if (!info.GameKey.empty())
      stored = player_.platform.settings.Get("Games", info.GameKey, "ChangeResolution");
    chkResolution.SetValue(Variant::String(stored.value_or("1")).ToInt16());
  } catch (const RuntimeError&) {
    // A setting that isn't a value the check box takes leaves it as it is.
  }
  try {
    UseScheme(*this, info.SchemeName);
  } catch (const RuntimeError&) {
  }
}

void Welcome::Img_Click(int index) {
  switch (index) {
    case 0:
      StartNewGame();
      break;
    case 1:
      form_->SetTopmost(false);
      ShowLoadDialog(player_, *form_);
      break;
    case 2:
      form_->Close();
      break;
    default:
      break;
  }
}

void Welcome::StartNewGame() {
  Game& game = player_.LoadGame();
  if (chkResolution.Visible() && chkResolution.Value() == 1 &&
      player_.info.AllowDisplayChange == 1) {
    form_->Hide();
    player_.frames.SwitchTo640x480();
  }
  ResetAll(game);
  form_->Hide();
  const uint32_t closings = game.Closings;
  tf::StartNewGame(game);
  // Closed while its start frame's video played, the game is over already.
  if (game.Closings == closings) game.Window().Show();
}

void Welcome::Form_KeyDown(int keyCode) {
  if (keyCode == ui::kKeyEscape) form_->Close();
}

void Welcome::Form_Unload() {
  try {
    if (!player_.info.GameKey.empty())
      player_.platform.settings.Set("Games", player_.info.GameKey, "ChangeResolution",
                                    std::to_string(chkResolution.Value()));
  } catch (const std::exception&) {
    // Storing the choice is best effort; the program ends either way.
  }
  player_.platform.events.EndProgram();
}

void Welcome::lblResolution_Click() { chkResolution.SetValue(chkResolution.Value() != 0 ? 0 : 1); }

}  // namespace tf
