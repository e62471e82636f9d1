#include "welcome/links.h"

#include <exception>

#include "game/player.h"
#include "platform/runtime/cp1252.h"
#include "startup/welcome_window.h"

namespace tf {

namespace {
// Out of the topmost placement while the question is open; back on top
// after No, an ordinary window after Yes.
void AskThenOpen(Welcome& welcome, const std::string& question, ui::MessageIcon icon,
                 const std::string& title, const std::string& address) {
  const Platform& platform = welcome.GetPlayer().platform;
  try {
    welcome.Window().SetTopmost(false);
    if (platform.messages.Show(question, ui::MessageButtons::YesNo, icon, title) ==
        ui::MessageAnswer::No) {
      welcome.Window().SetTopmost(true);
      return;
    }
    OpenAddress(platform, address);
  } catch (const std::exception&) {
    // A link that fails just doesn't open.
  }
}
}  // namespace

void OpenAddress(const Platform& platform, const std::string& address) {
  platform.Trace("open \"" + Cp1252ToUtf8(address) + "\"");
  if (platform.links) platform.links->OpenLink(address);
}

void txtEmail_Click(Welcome& welcome) {
  const std::string& email = welcome.txtEmail.Caption();
  AskThenOpen(welcome,
              "Do you want to open the default mail client to send an e-mail to: " + email + " ?",
              ui::MessageIcon::Question, welcome.GetPlayer().info.GameTitle, "mailto:" + email);
}

void txtHomepage_Click(Welcome& welcome) {
  const std::string& site = welcome.txtHomepage.Caption();
  AskThenOpen(welcome,
              "Do you want to visit " + site + " ? (You must be connected to the Internet)",
              ui::MessageIcon::Question, welcome.GetPlayer().info.GameTitle, site);
}

void Image4_Click(Welcome& welcome) {
  const Platform& platform = welcome.GetPlayer().platform;
  try {
    if (platform.messages.Show("To visit the Veltrane website you must be connected to the "
                               "Internet. Click 'OK' when ready.",
                               ui::MessageButtons::OkCancel, ui::MessageIcon::Information,
                               "Taleforge") != ui::MessageAnswer::Cancel)
      OpenAddress(platform, kMakerWebSite);
  } catch (const std::exception&) {
  }
}

void Image9_Click(Welcome& welcome) {
  AskThenOpen(welcome,
              std::string("This software was created with Taleforge. For details and downloads, go "
                          "to the Veltrane website:\r\n\r\n") +
                  kMakerWebSite +
                  "\r\n\r\nDo you want to visit it now? (You must be connected to the Internet)",
              ui::MessageIcon::Information, "Taleforge", kMakerWebSite);
}

}  // namespace tf
