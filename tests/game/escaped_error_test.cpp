#include <gtest/gtest.h>

#include <new>

#include "platform/memory/memory_form.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

// An error that no operation traps ends where the event that raised it
// does: the player shows its box, and the next events are handled as ever.
TEST(EscapedErrorTest, ShowsTheErrorsBoxAndTheEventsGoOn) {
  test::GameFixture fixture;
  std::unique_ptr<ui::Form> form =
      fixture.platform.windows.CreateForm("frmTest", ui::FormStyle::Bordered);
  int presses = 0;
  form->onKeyDown = [&presses](int, int) {
    if (++presses == 1) RaiseError(kErrTypeMismatch);
    if (presses == 2) throw std::bad_alloc();
  };
  auto& window = static_cast<ui::MemoryForm&>(*form);
  for (int press = 0; press < 3; ++press) window.PressKey(ui::kKeyEscape);

  EXPECT_EQ(presses, 3);
  const std::string advice =
      " The game may not work properly. Press 'Esc' and then click 'Exit' to quit the game.";
  EXPECT_EQ(fixture.Messages(),
            (std::vector<MessageBoxCall>{
                {"Run-time error '13': Type mismatch." + advice, ui::MessageButtons::Ok,
                 ui::MessageIcon::Critical, "Error"},
                {"Run-time error '7': Out of memory." + advice, ui::MessageButtons::Ok,
                 ui::MessageIcon::Critical, "Error"}}));
}

}  // namespace
}  // namespace tf
