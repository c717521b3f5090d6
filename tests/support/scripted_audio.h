// The scripted host's microphone. What it hears is a function of virtual time
// (silence, a sine, a recording), so a test states the sound once and a capture
// opened at any rate samples it. Capture devices keep what they captured in the
// same bounded queue as the SDL2 host's, so a program that stalls loses the
// oldest audio here too, and dropped() counts it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/portable/seam/host.h"

namespace scripted {

struct microphone_state;

class microphone {
 public:
  // `clock_ns` is the host's virtual time; the microphone only reads it.
  explicit microphone(const std::int64_t& clock_ns);
  // Captures still open afterwards capture nothing more.
  ~microphone();
  microphone(const microphone&) = delete;
  microphone& operator=(const microphone&) = delete;

  // What the microphone hears from the current virtual time on; silence at first.
  void silence();
  // amplitude in sample units (32767 is full scale).
  void sine(double frequency_hz, double amplitude);
  // The samples, recorded at `rate`, then silence.
  void play(std::vector<std::int16_t> samples, std::int32_t rate);
  // Whatever `signal` gives for the nanoseconds since now, for as long as a
  // test runs: one sound that changes all day without a longer timeline.
  void follow(std::function<std::int16_t(std::int64_t)> signal);

  // While a reason is set, opening a capture device fails with it.
  void refuse(std::string reason);
  // The device goes away: open captures deliver nothing and opening one fails,
  // until it comes back; open captures then go on with what it hears from then,
  // and count what they missed meanwhile as dropped.
  void unplug();
  void plug_in();

  // Capture devices open now.
  int open_captures() const;
  // Samples dropped by every capture opened so far, because nobody read them in time.
  std::uint64_t dropped() const;
  // Samples handed to the program by every capture opened so far.
  std::uint64_t delivered() const;

  std::unique_ptr<portable::audio_capture> open(std::int32_t rate, std::int32_t channels, std::string& error);

 private:
  std::shared_ptr<microphone_state> shared;  // also held by open captures
};

}  // namespace scripted
