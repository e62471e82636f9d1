#include "game/game_window.h"

#include "areas/input.h"
#include "frames/frame_window.h"
#include "game/player.h"
#include "media/mmedia.h"
#include "media/play_mp3s.h"
#include "media/wave_mix.h"
#include "state/save_dialog.h"
#include "welcome/closing.h"
#include "welcome/game_screen.h"

namespace tf {

namespace {
ui::Label& TextTemplate(ui::Form& form, ui::Container& screen) {
  ui::Label& label = form.CreateLabel("Text", &screen, 0);
  ui::Font font;
  font.name = "Arial";
  font.size = 24;
  font.bold = true;
  label.SetFont(font);
  label.SetTransparent(true);
  label.SetCaption("Text");
  return label;
}

ui::Image& HiddenImage(ui::Form& form, const char* name, ui::Container& screen, int index = -1) {
  ui::Image& image = form.CreateImage(name, &screen, index);
  image.SetVisible(false);
  return image;
}
}  // namespace

Game::Game(Player& player)
    : player_(player),
      form_(player.platform.windows.CreateForm("Game", ui::FormStyle::Borderless)),
      MP3Timer(form_->CreateTimer("MP3Timer")),
      File1(form_->CreateFileList("File1")),
      Timer1(form_->CreateTimer("Timer1")),
      PictureBox(form_->CreateContainer("PictureBox", nullptr, -1)),
      AniGifBox(*form_, form_->CreateContainer("AniGifBox", &PictureBox, 0)),
      AniGif(*form_, form_->CreateAnimatedPicture("AniGif", &PictureBox, 0)),
      CutSceneArea(form_->CreateContainer("CutSceneArea", &PictureBox, -1)),
      Text(*form_, TextTemplate(*form_, PictureBox)),
      PickedObject(*form_, HiddenImage(*form_, "PickedObject", PictureBox, 0)),
      BackImage(form_->CreateImage("BackImage", &PictureBox, -1)),
      Area(*form_, HiddenImage(*form_, "Area", PictureBox, 0)),
      ImageTile(HiddenImage(*form_, "ImageTile", PictureBox)),
      mnuExit(form_->CreateMenuEntry("mnuExit", "Exit")),
      mnuSaveGame(form_->CreateMenuEntry("mnuSaveGame", "Save game")),
      State(player.state),
      Variables(State.Variables),
      Disappear(State.Disappear),
      FramesHistory(State.FramesHistory),
      mp3State_(std::make_unique<PlayMP3s>(player.platform, player.paths.ProjectPath)),
      Mp3State(*mp3State_) {
  Compose();
  RouteEvents();
}

Game::~Game() = default;

// Design-time settings of the controls; the frame, area and text operations
// place and size them at run time.
void Game::Compose() {
  form_->SetCaption(player_.info.GameTitle);
  form_->SetBackColor(ui::Rgb(0, 0, 0));
  MP3Timer.SetInterval(1000);
  MP3Timer.SetEnabled(false);
  Timer1.SetInterval(0);
  Timer1.SetEnabled(false);
  PictureBox.SetBackColor(ui::Rgb(0, 0, 0));
  form_->SetScreenControl(PictureBox);
  // Element 0 of the picture arrays is the template only.
  AniGifBox[0].SetVisible(false);
  AniGif[0].SetVisible(false);
  CutSceneArea.SetVisible(false);
  Text[0].SetVisible(false);
  BackImage.SetStretch(true);
  mnuExit.SetVisible(false);
  mnuSaveGame.SetVisible(false);
}

void Game::RouteEvents() {
  ui::Form& form = *form_;
  form.onActivate = [this] { Game_Activate(*this); };
  form.onUnload = [this](bool& cancel) { Game_Unload(*this, cancel); };
  form.onMouseDown = [this](const ui::MouseArgs& args) { Form_MouseDown(*this, args); };
  form.onKeyDown = [this](int keyCode, int shift) {
    if (!Game_ScreenKey(*this, keyCode, shift)) PictureBox_KeyDown(*this, keyCode, shift);
  };
  PictureBox.onPaint = [this] { PictureBox_Paint(*this); };
  BackImage.onMouseDown = [this](const ui::MouseArgs& args) { BackImage_MouseDown(*this, args); };
  Timer1.onTimer = [this] { Timer1_Timer(*this); };
  MP3Timer.onTimer = [this] { MP3Timer_Timer(*this); };
  mnuExit.onClick = [this] { mnuExit_Click(*this); };
  mnuSaveGame.onClick = [this] { mnuSaveGame_Click(*this); };
}

Mmedia& Game::MusicMedia() const {
  if (!musicMedia_)
    musicMedia_ = std::make_unique<Mmedia>(player_.platform, player_.info.GameTitle,
                                           player_.paths.ProjectPath);
  return *musicMedia_;
}

Mmedia& Game::MovieMedia() const {
  if (!movieMedia_)
    movieMedia_ = std::make_unique<Mmedia>(player_.platform, player_.info.GameTitle,
                                           player_.paths.ProjectPath);
  return *movieMedia_;
}

void Game::Load() {
  loaded_ = true;
  Game_Load(*this);
  ApplyScreenChoice(*this);
}

void Game::Unload() {
  loaded_ = false;
  Timer1.SetEnabled(false);
  Timer1.SetInterval(0);
  State.NextFrame.clear();
  MP3Timer.SetEnabled(false);
  MP3Timer.SetInterval(1000);
  mnuExit.SetVisible(false);
  mnuSaveGame.SetVisible(false);
  for (auto* array : {&Area, &PickedObject})
    while (array->UBound() > 0) array->Unload(array->UBound());
  while (AniGif.UBound() > 0) AniGif.Unload(AniGif.UBound());
  while (AniGifBox.UBound() > 0) AniGifBox.Unload(AniGifBox.UBound());
  while (Text.UBound() > 0) Text.Unload(Text.UBound());
  AniGifIndex.clear();
  FramesHistory.Clear();
  BackImage.ClearPicture();
  ImageTile.ClearPicture();
  CutSceneArea.SetVisible(false);
}

}  // namespace tf
