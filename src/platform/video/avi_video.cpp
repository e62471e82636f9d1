#include "platform/video/avi_video.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <deque>
#include <vector>

#include "platform/audio/audio_output.h"

namespace tf {

namespace {
constexpr double kSoundAhead = 0.5;  // seconds of sound decoded before they are due
constexpr size_t kFewestPictures = 4;
constexpr size_t kMostPictures = 64;
constexpr auto kLongestSleep = std::chrono::milliseconds(10);
// Sound rates a video may really have; a damaged header claiming more would
// have the resampler build a filter for minutes.
constexpr int kLowestSoundRate = 1000;
constexpr int kHighestSoundRate = 384000;

AVCodecContext* OpenDecoder(AVStream* stream) {
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (!codec) return nullptr;
  AVCodecContext* context = avcodec_alloc_context3(codec);
  if (avcodec_parameters_to_context(context, stream->codecpar) < 0 ||
      avcodec_open2(context, codec, nullptr) < 0) {
    avcodec_free_context(&context);
    return nullptr;
  }
  return context;
}

struct Picture {
  AVFrame* frame;
  double time;
};
}  // namespace

// The file, its decoders and what they have decoded but not yet shown or
// played. Used by the decoding thread only, but for `sound`.
struct AviVideo::Decoder {
  ~Decoder() {
    for (Picture& picture : pictures) av_frame_free(&picture.frame);
    av_frame_free(&frame);
    av_packet_free(&packet);
    sws_freeContext(scale);
    swr_free(&resample);
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    avformat_close_input(&format);
  }

  bool Open(const std::string& path);
  void ReadPacket();
  void DecodeVideo(const AVPacket* data);
  void DecodeAudio(const AVPacket* data);
  size_t BufferedSoundFrames() {
    std::lock_guard lock(soundLock);
    return sound.size() / AudioOutput::kChannels;
  }

  AVFormatContext* format = nullptr;
  AVCodecContext* video = nullptr;
  AVCodecContext* audio = nullptr;
  int videoIndex = -1;
  int audioIndex = -1;
  SwsContext* scale = nullptr;
  SwrContext* resample = nullptr;
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  double timeBase = 0;
  double startTime = 0;
  double frameDuration = 0.1;
  double nextTime = 0;
  int64_t frameCount = 0;
  bool endOfFile = false;
  std::deque<Picture> pictures;
  std::vector<uint8_t> pixels;
  int stride = 0;

  std::mutex soundLock;
  std::deque<int16_t> sound;  // interleaved stereo at the output's rate
  std::atomic<bool> soundFinished{false};
  // No sound left while the pictures ahead fill the queue: the sound track
  // has ended (or pauses) before the pictures.
  std::atomic<bool> soundStalled{false};
  bool keepSound = true;
  // The device is closing: reading stops at once.
  std::atomic<bool> closing{false};
  // FFmpeg asks between its reads whether to give up: in a damaged file a
  // demuxer may search through every byte left within one packet's read.
  static int Interrupted(void* self) { return static_cast<Decoder*>(self)->closing; }
};

bool AviVideo::Decoder::Open(const std::string& path) {
  format = avformat_alloc_context();
  if (!format) return false;
  format->interrupt_callback = {&Decoder::Interrupted, this};
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return false;
  if (avformat_find_stream_info(format, nullptr) < 0) return false;
  videoIndex = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (videoIndex < 0) return false;
  AVStream* stream = format->streams[videoIndex];
  video = OpenDecoder(stream);
  if (!video || video->width <= 0 || video->height <= 0) return false;
  timeBase = av_q2d(stream->time_base);
  if (stream->start_time != AV_NOPTS_VALUE) startTime = stream->start_time * timeBase;
  AVRational rate = av_guess_frame_rate(format, stream, nullptr);
  if (rate.num > 0 && rate.den > 0) frameDuration = av_q2d(av_inv_q(rate));
  frameCount = stream->nb_frames;
  if (frameCount <= 0 && format->duration > 0)
    frameCount = static_cast<int64_t>(format->duration / (AV_TIME_BASE * frameDuration));
  stride = video->width * 4;
  pixels.resize(static_cast<size_t>(stride) * video->height);

  audioIndex = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
  if (audioIndex >= 0) audio = OpenDecoder(format->streams[audioIndex]);
  if (audio && (audio->sample_rate < kLowestSoundRate || audio->sample_rate > kHighestSoundRate))
    avcodec_free_context(&audio);
  if (audio) {
    if (audio->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
      av_channel_layout_default(&audio->ch_layout, audio->ch_layout.nb_channels);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    if (swr_alloc_set_opts2(&resample, &stereo, AV_SAMPLE_FMT_S16, AudioOutput::kSampleRate,
                            &audio->ch_layout, audio->sample_fmt, audio->sample_rate, 0,
                            nullptr) < 0 ||
        swr_init(resample) < 0) {
      swr_free(&resample);
      avcodec_free_context(&audio);
    }
  }
  if (!audio) audioIndex = -1;
  soundFinished = !audio;
  return true;
}

void AviVideo::Decoder::ReadPacket() {
  if (av_read_frame(format, packet) < 0) {
    endOfFile = true;
    DecodeVideo(nullptr);
    if (audio) DecodeAudio(nullptr);
    soundFinished = true;
    return;
  }
  if (packet->stream_index == videoIndex) DecodeVideo(packet);
  if (packet->stream_index == audioIndex) DecodeAudio(packet);
  av_packet_unref(packet);
}

void AviVideo::Decoder::DecodeVideo(const AVPacket* data) {
  if (avcodec_send_packet(video, data) < 0) return;
  while (avcodec_receive_frame(video, frame) == 0) {
    double time = nextTime;
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
      time = frame->best_effort_timestamp * timeBase - startTime;
    nextTime = time + frameDuration;
    pictures.push_back({av_frame_clone(frame), time});
    av_frame_unref(frame);
  }
}

void AviVideo::Decoder::DecodeAudio(const AVPacket* data) {
  if (avcodec_send_packet(audio, data) < 0) return;
  std::vector<int16_t> converted;
  while (avcodec_receive_frame(audio, frame) == 0) {
    int most = swr_get_out_samples(resample, frame->nb_samples);
    converted.resize(static_cast<size_t>(most) * AudioOutput::kChannels);
    uint8_t* out = reinterpret_cast<uint8_t*>(converted.data());
    int made = swr_convert(resample, &out, most, const_cast<const uint8_t**>(frame->extended_data),
                           frame->nb_samples);
    av_frame_unref(frame);
    if (made <= 0 || !keepSound) continue;
    std::lock_guard lock(soundLock);
    sound.insert(sound.end(), converted.begin(),
                 converted.begin() + static_cast<ptrdiff_t>(made) * AudioOutput::kChannels);
  }
}

std::unique_ptr<AviVideo> AviVideo::Open(AudioOutput& output, const std::string& path,
                                         const SurfaceMaker& makeSurface) {
  auto decoder = std::make_unique<Decoder>();
  if (!decoder->Open(path)) return nullptr;
  int width = decoder->video->width;
  int height = decoder->video->height;
  std::unique_ptr<AviVideo> device(new AviVideo(output, std::move(decoder)));
  if (makeSurface) device->surface_ = makeSurface(width, height);
  device->worker_ = std::thread([self = device.get()] { self->Run(); });
  return device;
}

AviVideo::AviVideo(AudioOutput& output, std::unique_ptr<Decoder> decoder)
    : output_(output), decoder_(std::move(decoder)) {
  if (!decoder_->audio) return;
  // A video playing keeps the output open: its pictures keep time with it.
  sourceId_ = output_.AddSource([this](int16_t* samples, int frames) {
    MixSound(samples, frames);
    return state_ == kPlaying;
  });
  soundClock_ = output_.IsOpen();
  // With no output at all the sound is dropped and the system clock paces.
  if (!soundClock_) decoder_->keepSound = false;
}

AviVideo::~AviVideo() {
  decoder_->closing = true;
  {
    std::lock_guard lock(lock_);
    quit_ = true;
  }
  wake_.notify_all();
  worker_.join();
  if (sourceId_) output_.RemoveSource(sourceId_);
}

void AviVideo::SetState(State state) {
  std::lock_guard lock(lock_);
  if (state_ == kPlaying && state != kPlaying)
    playedBefore_ +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt_).count();
  if (state_ != kPlaying && state == kPlaying) startedAt_ = std::chrono::steady_clock::now();
  state_ = state;
  wake_.notify_all();
}

void AviVideo::Play() {
  if (ended_) return;
  if (sourceId_) output_.Open();
  SetState(kPlaying);
}

void AviVideo::Pause() {
  if (state_ == kPlaying) SetState(kPaused);
}

void AviVideo::Stop() { SetState(kStopped); }

// Going to another frame needs the decoder to start over there; videos are
// only ever played from the start.
bool AviVideo::Seek(double) { return false; }

std::string AviVideo::Mode() const {
  if (state_ == kPaused) return "paused";
  return state_ == kPlaying && !ended_ ? "playing" : "stopped";
}

double AviVideo::Length() const { return static_cast<double>(decoder_->frameCount); }

double AviVideo::ClockSeconds() const {
  if (soundClock_) return static_cast<double>(soundFramesPlayed_) / AudioOutput::kSampleRate;
  std::lock_guard lock(lock_);
  double seconds = playedBefore_;
  if (state_ == kPlaying)
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt_).count();
  return seconds;
}

// On the audio thread. The clock moves with the sound heard; once the sound
// has run out for good or for longer than the pictures ahead, silence counts
// too, so that pictures after it still come.
void AviVideo::MixSound(int16_t* samples, int frames) {
  if (state_ != kPlaying) return;
  std::lock_guard lock(decoder_->soundLock);
  std::deque<int16_t>& sound = decoder_->sound;
  size_t count = std::min(static_cast<size_t>(frames) * AudioOutput::kChannels, sound.size());
  std::copy_n(sound.begin(), count, samples);
  sound.erase(sound.begin(), sound.begin() + static_cast<ptrdiff_t>(count));
  int played = static_cast<int>(count / AudioOutput::kChannels);
  if (played < frames && (decoder_->soundFinished || decoder_->soundStalled)) played = frames;
  soundFramesPlayed_ += played;
}

void AviVideo::Run() {
  std::unique_lock lock(lock_);
  while (!quit_) {
    if (state_ != kPlaying) {
      wake_.wait(lock);
      continue;
    }
    lock.unlock();
    std::chrono::milliseconds sleep = Step();
    lock.lock();
    if (sleep.count() > 0 && !quit_) wake_.wait_for(lock, sleep);
  }
}

std::chrono::milliseconds AviVideo::Step() {
  Decoder& d = *decoder_;
  auto needsMore = [&] {
    if (d.endOfFile) return false;
    if (d.pictures.size() < kFewestPictures) return true;
    return d.audio && d.pictures.size() < kMostPictures &&
           d.BufferedSoundFrames() < kSoundAhead * AudioOutput::kSampleRate;
  };
  // A damaged file can hold any number of packets that give nothing: a stop
  // or a close is looked for between each two.
  while (needsMore() && state_ == kPlaying && !d.closing) d.ReadPacket();
  d.soundStalled = d.pictures.size() >= kMostPictures && d.BufferedSoundFrames() == 0;

  double now = ClockSeconds();
  // A picture whose successor is due already is never shown.
  while (d.pictures.size() >= 2 && d.pictures[1].time <= now) {
    av_frame_free(&d.pictures.front().frame);
    d.pictures.pop_front();
    ++shownFrames_;
  }
  if (!d.pictures.empty()) {
    Picture& next = d.pictures.front();
    if (next.time > now)
      return std::min(kLongestSleep, std::chrono::milliseconds(
                                         static_cast<int64_t>((next.time - now) * 1000) + 1));
    if (surface_) {
      d.scale = sws_getCachedContext(d.scale, next.frame->width, next.frame->height,
                                     static_cast<AVPixelFormat>(next.frame->format), d.video->width,
                                     d.video->height, AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr,
                                     nullptr);
      uint8_t* target[1] = {d.pixels.data()};
      int strides[1] = {d.stride};
      if (d.scale) {
        sws_scale(d.scale, next.frame->data, next.frame->linesize, 0, next.frame->height, target,
                  strides);
        surface_->Present(d.pixels.data(), d.stride);
      }
    }
    av_frame_free(&next.frame);
    d.pictures.pop_front();
    ++shownFrames_;
    return std::chrono::milliseconds(0);
  }
  // The last picture stays for its own duration.
  if (d.endOfFile && now >= d.nextTime && d.BufferedSoundFrames() == 0) {
    ended_ = true;
    SetState(kStopped);
    return std::chrono::milliseconds(0);
  }
  return kLongestSleep;
}

}  // namespace tf

// The module's entry, looked up by name when the first video opens.
extern "C" tf::MediaDevice* TfOpenAviVideo(tf::AudioOutput& output, const std::string& path,
                                           const tf::AviVideo::SurfaceMaker& makeSurface) {
  return tf::AviVideo::Open(output, path, makeSurface).release();
}
