#include "app/media_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>

namespace tf {

namespace {
// What a media command answers without the module: no such device type.
constexpr int32_t kNoDevice = 277;
// What a mixer call answers without the module.
constexpr uint32_t kFailed = 1;

// Beside the program, else where the build put it. Loaded for all to see:
// the video module finds the module's audio output there.
MakeDesktopMediaFunction LoadModule() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  for (const std::filesystem::path& file : {program.parent_path() / TF_MEDIA_MODULE_NAME,
                                            std::filesystem::path(TF_MEDIA_MODULE_BUILT)}) {
    if (void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL))
      return reinterpret_cast<MakeDesktopMediaFunction>(dlsym(module, kMakeDesktopMediaName));
  }
  return nullptr;
}
}  // namespace

// Shared with MP3 threads that may outlive the module's owner: once loaded it
// holds the module's own MP3 calls, which live as long as they are used.
class MediaModule::Mp3Calls : public Mp3Library {
 public:
  void Loaded(std::shared_ptr<Mp3Library> calls) { calls_ = std::move(calls); }
  void SetLoading(std::shared_future<DesktopMedia*> loading) { loading_ = std::move(loading); }

  double mp3gettime(const Mp3Record& request) override {
    Mp3Library* calls = Calls();
    return calls ? calls->mp3gettime(request) : 0;
  }
  void mp3play(const Mp3Record& request) override {
    if (Mp3Library* calls = Calls()) calls->mp3play(request);
  }
  void mp3stop() override {
    if (Mp3Library* calls = Calls()) calls->mp3stop();
  }

 private:
  Mp3Library* Calls() const {
    loading_.wait();
    return calls_.get();
  }

  std::shared_future<DesktopMedia*> loading_;
  std::shared_ptr<Mp3Library> calls_;  // set before the loading ends
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
    : mp3_(std::make_shared<Mp3Calls>()),
      waveMix_(std::make_unique<WaveMixCalls>(*this)),
      commands_(std::make_unique<Commands_>(*this)) {
  loading_ = std::async(std::launch::async, [failMixer, &surfaces, mp3 = mp3_]() -> DesktopMedia* {
               MakeDesktopMediaFunction make = LoadModule();
               DesktopMedia* media = make ? make(failMixer, surfaces) : nullptr;
               if (media) mp3->Loaded(media->Mp3());
               return media;
             }).share();
  mp3_->SetLoading(loading_);
}

MediaModule::~MediaModule() { delete Media(); }

WaveMixLibrary& MediaModule::WaveMix() { return *waveMix_; }

std::shared_ptr<Mp3Library> MediaModule::Mp3() const { return mp3_; }

MediaCommands& MediaModule::Commands() { return *commands_; }

void MediaModule::CloseCommands() {
  if (DesktopMedia* media = Media()) media->CloseCommands();
  commandsClosed_ = true;
}

DesktopMedia* MediaModule::Media() const { return loading_.get(); }

}  // namespace tf
