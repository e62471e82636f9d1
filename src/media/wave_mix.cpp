#include "media/wave_mix.h"

#include "platform/runtime/runtime_error.h"

namespace tf {

cWaveMix::cWaveMix(const Platform& platform, const std::string& projectPath)
    : module_(platform, projectPath) {
  if (module_.InitWaveMixSession()) return;
  platform.messages.Show(
      "Unable to Initialize WaveMix DLL. No audio hardware is available, the hardware is not "
      "responding, or another program is using hardware ressources. Quit the game, close any open "
      "program and run the game again.",
      ui::MessageButtons::Ok, ui::MessageIcon::Exclamation, "WaveMix Error");
}

cWaveMix::~cWaveMix() { module_.CloseWaveMixSession(); }

cWaveMix::ChannelSlot& cWaveMix::CurrentSlot() {
  if (CurrentChannel < 0 || static_cast<size_t>(CurrentChannel) >= slots_.size())
    RaiseError(kErrSubscriptOutOfRange);
  return slots_[static_cast<size_t>(CurrentChannel)];
}

void cWaveMix::SetFileName(const std::string& AFileName) {
  CurrentSlot().FileName = AFileName;
  module_.OpenChannelWave(AFileName, CurrentChannel);
}

void cWaveMix::SetAutoLoop(bool LoopWave) { CurrentSlot().LoopWave = LoopWave ? -1 : 0; }

void cWaveMix::Play() { module_.PlayChannelWave(CurrentChannel, CurrentSlot().LoopWave); }

void cWaveMix::Quit() { module_.FlushChannelWave(CurrentChannel); }

}  // namespace tf
