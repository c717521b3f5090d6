#include "tests/support/scripted_audio.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/portable/seam/sample_fifo.h"

namespace scripted {
namespace {

constexpr std::int64_t ns_per_second = 1000000000;
constexpr double two_pi = 6.283185307179586;

}  // namespace

// One stretch of the timeline: from `start` on, the microphone hears this.
struct sound {
  enum class kind { silence, sine, recording, signal };
  std::int64_t start;
  kind type;
  double frequency_hz = 0, amplitude = 0;
  std::shared_ptr<const std::vector<std::int16_t>> samples;
  std::int32_t rate = 0;
  std::function<std::int16_t(std::int64_t)> signal;

  std::int16_t at(std::int64_t t) const {
    switch (type) {
      case kind::silence:
        break;
      case kind::sine: {
        const double phase = two_pi * frequency_hz * static_cast<double>(t - start) / ns_per_second;
        return static_cast<std::int16_t>(std::clamp(amplitude * std::sin(phase), -32768.0, 32767.0));
      }
      case kind::recording: {
        const auto index = static_cast<std::size_t>(static_cast<__int128>(t - start) * rate / ns_per_second);
        if (index < samples->size()) return (*samples)[index];
        break;
      }
      case kind::signal:
        return signal(t - start);
    }
    return 0;
  }
};

struct microphone_state {
  const std::int64_t* clock;  // null once the microphone is gone
  std::vector<sound> timeline{
      {std::numeric_limits<std::int64_t>::min(), sound::kind::silence, 0, 0, nullptr, 0, {}}};
  std::string refusal;
  bool unplugged = false;
  int open = 0;
  std::uint64_t dropped = 0;
  std::uint64_t delivered = 0;

  std::int16_t at(std::int64_t t) const {
    auto it = std::find_if(timeline.rbegin(), timeline.rend(), [t](const sound& s) { return s.start <= t; });
    return it == timeline.rend() ? 0 : it->at(t);
  }
  void hear(sound s) {
    s.start = *clock;
    timeline.push_back(std::move(s));
  }
};

namespace {

// Sample k of a capture opened at t0 is taken at t0 + ceil(k / rate seconds)
// and has arrived once the next sample's time has come.
class scripted_capture final : public portable::audio_capture {
 public:
  scripted_capture(std::shared_ptr<microphone_state> shared, std::int32_t rate, std::int32_t channels)
      : shared(std::move(shared)),
        rate(rate),
        channels(channels),
        opened_at(*this->shared->clock),
        fifo(rate, channels) {
    ++this->shared->open;
  }
  ~scripted_capture() override { --shared->open; }

  std::size_t read(std::int16_t* out, std::size_t max_samples) override {
    if (shared->clock) capture_until(*shared->clock);
    const std::size_t taken_out = fifo.pop(out, max_samples);
    shared->delivered += taken_out;
    return taken_out;
  }

  std::uint64_t dropped() const override { return fifo.dropped(); }

 private:
  void capture_until(std::int64_t now) {
    const auto arrived =
        static_cast<std::int64_t>(static_cast<__int128>(now - opened_at) * rate / ns_per_second);
    if (arrived <= taken) return;  // also when a test set the clock back
    if (shared->unplugged) {
      // Nothing was heard meanwhile; the gap counts as dropped, as the SDL2
      // host counts the time until it has opened a lost device again.
      const auto gap = static_cast<std::uint64_t>(arrived - taken) * static_cast<std::uint64_t>(channels);
      fifo.count_dropped(gap);
      shared->dropped += gap;
      taken = arrived;
      return;
    }
    std::int64_t fresh = arrived - taken;
    // Whatever would only push older samples out again is never made.
    const auto room_frames = static_cast<std::int64_t>(fifo.capacity() / channels);
    if (fresh > room_frames) {
      const std::uint64_t skipped = static_cast<std::uint64_t>(fresh - room_frames) * channels;
      fifo.count_dropped(skipped);
      shared->dropped += skipped;
      taken += fresh - room_frames;
      fresh = room_frames;
    }
    std::vector<std::int16_t> frames;
    frames.reserve(static_cast<std::size_t>(fresh * channels));
    for (; taken < arrived; ++taken) {
      const std::int64_t t = opened_at + (static_cast<__int128>(taken) * ns_per_second + rate - 1) / rate;
      frames.insert(frames.end(), static_cast<std::size_t>(channels), shared->at(t));
    }
    const std::uint64_t before = fifo.dropped();
    fifo.push(frames.data(), frames.size());
    shared->dropped += fifo.dropped() - before;
  }

  std::shared_ptr<microphone_state> shared;
  std::int32_t rate, channels;
  std::int64_t opened_at;
  std::int64_t taken = 0;  // frames made so far
  portable::sample_fifo fifo;
};

}  // namespace

microphone::microphone(const std::int64_t& clock_ns) : shared(std::make_shared<microphone_state>()) {
  shared->clock = &clock_ns;
}

microphone::~microphone() { shared->clock = nullptr; }

void microphone::silence() { shared->hear({0, sound::kind::silence, 0, 0, nullptr, 0, {}}); }

void microphone::sine(double frequency_hz, double amplitude) {
  shared->hear({0, sound::kind::sine, frequency_hz, amplitude, nullptr, 0, {}});
}

void microphone::play(std::vector<std::int16_t> samples, std::int32_t rate) {
  shared->hear({0,
                sound::kind::recording,
                0,
                0,
                std::make_shared<const std::vector<std::int16_t>>(std::move(samples)),
                rate,
                {}});
}

void microphone::follow(std::function<std::int16_t(std::int64_t)> signal) {
  shared->hear({0, sound::kind::signal, 0, 0, nullptr, 0, std::move(signal)});
}

void microphone::refuse(std::string reason) { shared->refusal = std::move(reason); }

void microphone::unplug() { shared->unplugged = true; }

void microphone::plug_in() { shared->unplugged = false; }

int microphone::open_captures() const { return shared->open; }

std::uint64_t microphone::dropped() const { return shared->dropped; }

std::uint64_t microphone::delivered() const { return shared->delivered; }

std::unique_ptr<portable::audio_capture> microphone::open(std::int32_t rate, std::int32_t channels,
                                                          std::string& error) {
  if (!shared->refusal.empty() || shared->unplugged) {
    error = shared->unplugged ? "the capture device is gone (a fault the test switched on)" : shared->refusal;
    return nullptr;
  }
  return std::make_unique<scripted_capture>(shared, rate, channels);
}

}  // namespace scripted
