#pragma once

#include <memory>

#include "platform/ui/control_array.h"
#include "platform/ui/form.h"

namespace tf {

struct Player;

// The welcome window frmWelcome: the first and last window of a run.
class Welcome {
  Player& player_;
  std::unique_ptr<ui::Form> form_;

 public:
  explicit Welcome(Player& player);
  ~Welcome();

  ui::Form& Window() { return *form_; }
  Player& GetPlayer() const { return player_; }

  // The window's load: project paths, project information and its layout,
  // the display-mode offer, the stored setting and the scheme.
  void Load();

  // Img(0) new game, Img(1) load game, Img(2) quit, Img(3) background tile.
  ui::ControlArray<ui::Image>& Img() { return *img_; }
  ui::Label& txtAdventureName;
  ui::Label& txtVersion;
  ui::Label& lblAuthor;
  ui::Label& txtAuthor;
  ui::Label& lblEmail;
  ui::Label& txtEmail;
  ui::Label& lblHomepage;
  ui::Label& txtHomepage;
  ui::CheckBox& chkResolution;
  ui::Label& lblResolution;
  ui::Image& Image9;
  ui::Container& Picture1;
  ui::Label& lblInformation;
  ui::Image& Image4;
  ui::Image& Image8;
  ui::Image& Image3;
  ui::Label& Label3;

 private:
  void ShowProjectInformation();
  void Img_Click(int index);
  void StartNewGame();
  void Form_KeyDown(int keyCode);
  void Form_Unload();
  void lblResolution_Click();
  ui::Label& NewLabel(const std::string& name, ui::Container* container = nullptr);
  ui::Image& NewImage(const std::string& name, ui::Container* container = nullptr, int index = -1);
  void Compose();

  std::unique_ptr<ui::ControlArray<ui::Image>> img_;
};

}  // namespace tf
