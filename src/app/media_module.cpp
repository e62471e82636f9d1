#include "app/media_module.h"

#include <atomic>
#include <future>
#include <mutex>

#include "platform/runtime/program_module.h"

namespace tf {

namespace {
// What a media command answers without the module: no such device type.
constexpr int32_t kNoDevice = 277;
// What a mixer call answers without the module.
constexpr uint32_t kFailed = 1;

// Loaded for all to see: the video module finds the module's audio output
// there.
MakeDesktopMediaFunction LoadModule() {
  return reinterpret_cast<MakeDesktopMediaFunction>(ProgramModuleSymbol(
      TF_MEDIA_MODULE_NAME, TF_MEDIA_MODULE_BUILT, kMakeDesktopMediaName, true));
}
}  // namespace

// Loads the module once, on its own thread; shared with MP3 threads that may
// outlive the module's owner.
class MediaModule::Loader {
 public:
  Loader(bool failMixer, VideoSurfaces& surfaces) : failMixer_(failMixer), surfaces_(surfaces) {}

  void Start() {
    std::call_once(started_, [this] {
      loading_ = std::async(std::launch::async, [this]() -> DesktopMedia* {
                   MakeDesktopMediaFunction make = LoadModule();
                   DesktopMedia* media = make ? make(failMixer_, surfaces_) : nullptr;
                   if (media) mp3_ = media->Mp3();
                   return media;
                 }).share();
      begun_ = true;
    });
  }

  // What was loaded, once a loading begun has ended; null when none began.
  DesktopMedia* Loaded() { return begun_ ? loading_.get() : nullptr; }

  DesktopMedia* Media() {
    Start();
    return loading_.get();
  }

  // The module's own MP3 calls, which live as long as they are used.
  Mp3Library* Mp3() {
    Media();
    return mp3_.get();
  }

 private:
  const bool failMixer_;
  VideoSurfaces& surfaces_;
  std::once_flag started_;
  std::atomic<bool> begun_ = false;
  std::shared_future<DesktopMedia*> loading_;
  std::shared_ptr<Mp3Library> mp3_;  // set before the loading ends
};

class MediaModule::Mp3Calls : public Mp3Library {
 public:
  explicit Mp3Calls(std::shared_ptr<Loader> loader) : loader_(std::move(loader)) {}

  double mp3gettime(const Mp3Record& request) override {
    Mp3Library* calls = loader_->Mp3();
    return calls ? calls->mp3gettime(request) : 0;
  }
  void mp3play(const Mp3Record& request, const std::function<bool()>& wanted) override {
    if (Mp3Library* calls = loader_->Mp3()) calls->mp3play(request, wanted);
  }
  void mp3stop() override {
    if (Mp3Library* calls = loader_->Mp3()) calls->mp3stop();
  }

 private:
  std::shared_ptr<Loader> loader_;
};

class MediaModule::WaveMixCalls : public WaveMixLibrary {
 public:
  explicit WaveMixCalls(const MediaModule& owner) : owner_(owner) {}

  uint32_t WaveMixConfigureInit(const MixConfig& config) override {
    WaveMixLibrary* mix = Mix();
    return mix ? mix->WaveMixConfigureInit(config) : 0;
  }
  uint32_t WaveMixActivate(uint32_t session, int32_t activate) override {
    WaveMixLibrary* mix = Mix();
    return mix ? mix->WaveMixActivate(session, activate) : kFailed;
  }
  uint32_t WaveMixOpenWave(uint32_t session, const std::string& path, uint32_t instance,
                           uint32_t flags) override {
    WaveMixLibrary* mix = Mix();
    return mix ? mix->WaveMixOpenWave(session, path, instance, flags) : 0;
  }
  uint32_t WaveMixOpenChannel(uint32_t session, int32_t channel, uint32_t flags) override {
    WaveMixLibrary* mix = Mix();
    return mix ? mix->WaveMixOpenChannel(session, channel, flags) : kFailed;
  }
  uint32_t WaveMixPlay(const MixPlayParams& params) override {
    WaveMixLibrary* mix = Mix();
    return mix ? mix->WaveMixPlay(params) : kFailed;
  }
  uint32_t WaveMixFlushChannel(uint32_t session, int16_t channel, uint32_t flags) override {
    WaveMixLibrary* mix = Mix();
    return mix ? mix->WaveMixFlushChannel(session, channel, flags) : kFailed;
  }
  uint32_t WaveMixFreeWave(uint32_t session, uint32_t wave) override {
    WaveMixLibrary* mix = Mix();
    return mix ? mix->WaveMixFreeWave(session, wave) : kFailed;
  }
  uint32_t WaveMixCloseSession(uint32_t session) override {
    WaveMixLibrary* mix = Mix();
    return mix ? mix->WaveMixCloseSession(session) : kFailed;
  }
  bool ChannelSounding(int channel) const override {
    WaveMixLibrary* mix = Mix();
    return mix && mix->ChannelSounding(channel);
  }

 private:
  WaveMixLibrary* Mix() const {
    DesktopMedia* media = owner_.Media();
    return media ? &media->WaveMix() : nullptr;
  }

  const MediaModule& owner_;
};

class MediaModule::Commands_ : public MediaCommands {
 public:
  explicit Commands_(MediaModule& owner) : owner_(owner) {}

  Reply Send(const std::string& command) override {
    MediaCommands* commands = Target();
    return commands ? commands->Send(command) : Reply{kNoDevice, {}};
  }
  int32_t ControlHandle(const ui::Control& control) override {
    MediaCommands* commands = Target();
    return commands ? commands->ControlHandle(control) : 0;
  }

 private:
  MediaCommands* Target() const {
    DesktopMedia* media = owner_.Media();
    return media && !owner_.commandsClosed_ ? &media->Commands() : nullptr;
  }

  MediaModule& owner_;
};

MediaModule::MediaModule(bool failMixer, VideoSurfaces& surfaces)
    : loader_(std::make_shared<Loader>(failMixer, surfaces)),
      mp3_(std::make_shared<Mp3Calls>(loader_)),
      waveMix_(std::make_unique<WaveMixCalls>(*this)),
      commands_(std::make_unique<Commands_>(*this)) {}

MediaModule::~MediaModule() { delete loader_->Loaded(); }

void MediaModule::StartLoading() { loader_->Start(); }

WaveMixLibrary& MediaModule::WaveMix() { return *waveMix_; }

std::shared_ptr<Mp3Library> MediaModule::Mp3() const { return mp3_; }

MediaCommands& MediaModule::Commands() { return *commands_; }

void MediaModule::CloseCommands() {
  if (DesktopMedia* media = Media()) media->CloseCommands();
  commandsClosed_ = true;
}

DesktopMedia* MediaModule::Media() const { return loader_->Media(); }

}  // namespace tf
