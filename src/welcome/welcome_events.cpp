#include "welcome/welcome_events.h"

#include "game/player.h"
#include "startup/welcome_window.h"
#include "welcome/links.h"
#include "welcome/small_fonts.h"

namespace tf {

namespace {
const char* const kLargeFontsWarning =
    "Warning! Your system is set to use large fonts. This program will NOT work properly if you "
    "don't change this setting.\r\n\r\nTo use small fonts (which is the Windows default), just go "
    "to the 'Control Panel' (from the 'Settings' menu of the Start Menu), double-click 'Display', "
    "click the 'Settings' tab, click 'Advanced...' and select 'Small Fonts' under 'Font size'. "
    "Click 'OK' and restart your computer.\r\n\r\nDo you want to continue anyway? (not "
    "recommended).";
}  // namespace

void RouteWelcomeEvents(Welcome& welcome) {
  ui::Form& form = welcome.Window();
  form.onActivate = [&welcome] { frmWelcome_Activate(welcome); };
  form.onPaint = [&welcome] { frmWelcome_Paint(welcome); };
  auto drag = [&welcome](const ui::MouseArgs& args) { frmWelcome_MouseMove(welcome, args.button); };
  form.onMouseMove = drag;
  for (ui::Label* label : {&welcome.lblAuthor, &welcome.lblEmail, &welcome.lblHomepage,
                           &welcome.txtAdventureName, &welcome.txtAuthor, &welcome.txtVersion})
    label->onMouseMove = drag;
  welcome.txtEmail.onClick = [&welcome] { txtEmail_Click(welcome); };
  welcome.txtHomepage.onClick = [&welcome] { txtHomepage_Click(welcome); };
  welcome.Image4.onClick = [&welcome] { Image4_Click(welcome); };
  welcome.Image9.onClick = [&welcome] { Image9_Click(welcome); };
}

void frmWelcome_Activate(Welcome& welcome) {
  const Platform& platform = welcome.GetPlayer().platform;
  if (!HasSmallFonts(platform)) {
    ui::MessageAnswer answer = platform.messages.Show(
        kLargeFontsWarning, ui::MessageButtons::OkCancel, ui::MessageIcon::Exclamation, "Warning!");
    if (answer == ui::MessageAnswer::Cancel) {
      welcome.Window().Close();
      return;
    }
  }
  welcome.Window().SetTopmost(true);
}

// The background tile, column by column, each from the top down.
void frmWelcome_Paint(Welcome& welcome) {
  ui::Form& form = welcome.Window();
  if (welcome.Img().Count() < 4) return;
  const ui::Image& tile = welcome.Img()[3];
  if (!tile.HasPicture()) return;
  const int tileWidth = tile.Width();
  const int tileHeight = tile.Height();
  if (tileWidth <= 0 || tileHeight <= 0) return;
  for (int x = 0; x <= form.Width(); x += tileWidth)
    for (int y = 0; y <= form.Height(); y += tileHeight)
      form.PaintPicture(tile, x, y, tileWidth, tileHeight);
}

void frmWelcome_MouseMove(Welcome& welcome, int button) {
  if (button == ui::kLeftButton) welcome.Window().BeginUserMove();
}

}  // namespace tf
