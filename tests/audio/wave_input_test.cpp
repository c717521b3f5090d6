// The wave input stream on the scripted host's microphone: buffer geometry,
// re-queueing, the ring read in place across its wrap, and failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "audio/wave_input.h"
#include "framework/waiter.h"
#include "tests/audio/samples.h"
#include "tests/support/scripted_host.h"

namespace {

constexpr std::int64_t ms = 1000000;

// Lets virtual time pass, then enters the platform as the run loop's message
// pump does, which is when captured audio reaches the buffers.
void pass_time(DWORD milliseconds) {
  Sleep(milliseconds);
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

// Runs the program's loop for `passes` passes of 10 ms: time passes, the
// completed buffers go back to the device and are read, oldest first.
// `before(pass)` runs at the start of each pass, `requeued(pass)` right after
// the buffers went back. Returns every sample read.
std::vector<std::int16_t> read_for_passes(wave_input& capture, int passes,
                                          const std::function<void(int)>& before = {},
                                          const std::function<void(int)>& requeued = {}) {
  waiter w;
  std::uint32_t read_position = 0;
  std::vector<std::int16_t> taken;
  for (int pass = 0; pass < passes; ++pass) {
    if (before) before(pass);
    pass_time(10);
    capture.requeue_completed(w);
    if (requeued) requeued(pass);
    const std::vector<std::int16_t> fresh = take_completed(capture, read_position);
    taken.insert(taken.end(), fresh.begin(), fresh.end());
  }
  return taken;
}

TEST(WaveInput, OpensSixtySevenBuffersOfThirtyMillisecondsOverOneRing) {
  scripted::host host;
  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);

  EXPECT_NE(capture.handle, nullptr);
  EXPECT_EQ(capture.buffer_frames, 240u);
  EXPECT_EQ(capture.buffer_count, 67u);
  EXPECT_EQ(capture.ring_length, 16080u);
  EXPECT_EQ(capture.next_buffer, 0u);
  for (std::uint32_t i = 0; i < capture.buffer_count; ++i) {
    SCOPED_TRACE(i);
    const WAVEHDR& header = capture.headers[i];
    EXPECT_EQ(header.lpData, reinterpret_cast<char*>(&capture.sample_ring[i * 240]));
    EXPECT_EQ(header.dwBufferLength, 480u);
    EXPECT_EQ(header.dwFlags, WHDR_PREPARED | WHDR_INQUEUE);
  }
  EXPECT_EQ(host.microphone().open_captures(), 1);
}

TEST(WaveInput, WithNothingCompletedQueuesNothingAndStillWakesThirtyMillisecondsLater) {
  scripted::host host;
  host.set_now(1000 * ms);
  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);
  waiter w;
  const std::int64_t before = host.now();
  capture.requeue_completed(w);

  EXPECT_EQ(capture.next_buffer, 0u);
  for (std::uint32_t i = 0; i < capture.buffer_count; ++i)
    EXPECT_EQ(capture.headers[i].dwFlags, WHDR_PREPARED | WHDR_INQUEUE) << i;
  // The deadline counts from the clock reading taken inside the call.
  EXPECT_GE(w.deadline(), before + 30000000);
  EXPECT_LT(w.deadline(), host.now() + 30000000);
}

TEST(WaveInput, WhenEveryBufferCompletedAllGoBackAndNextBufferComesRound) {
  scripted::host host;
  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);
  waiter w;
  // Ten buffers' worth first, so that the full round starts mid-ring.
  pass_time(300);
  capture.requeue_completed(w);
  ASSERT_EQ(capture.next_buffer, 10u);

  // The program keeps pumping but does not re-queue for longer than the ring lasts.
  for (int i = 0; i < 250; ++i) pass_time(10);
  for (std::uint32_t i = 0; i < capture.buffer_count; ++i)
    ASSERT_TRUE(capture.headers[i].dwFlags & WHDR_DONE) << i;
  capture.requeue_completed(w);

  EXPECT_EQ(capture.next_buffer, 10u);
  for (std::uint32_t i = 0; i < capture.buffer_count; ++i)
    EXPECT_EQ(capture.headers[i].dwFlags, WHDR_PREPARED | WHDR_INQUEUE) << i;
}

TEST(WaveInput, CloseIsHarmlessWhenNeverOpenedOrRepeated) {
  scripted::host host;
  wave_input never_opened;
  never_opened.close();
  EXPECT_EQ(never_opened.handle, nullptr);

  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);
  capture.close();
  capture.close();
  EXPECT_EQ(capture.handle, nullptr);
  EXPECT_FALSE(capture.sample_ring);
  EXPECT_FALSE(capture.headers);
  EXPECT_EQ(host.microphone().open_captures(), 0);
  // The geometry of the last opening stays for whoever still reads it.
  EXPECT_EQ(capture.ring_length, 16080u);
}

TEST(WaveInput, FailedOpenReturnsFiveAndLeavesTheStreamClosed) {
  scripted::host host;
  host.microphone().refuse("no sound card");
  wave_input capture;
  testing::internal::CaptureStderr();
  EXPECT_EQ(capture.open(8000.0, 1), 5);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("no sound card"), std::string::npos);

  EXPECT_EQ(capture.handle, nullptr);
  EXPECT_FALSE(capture.sample_ring);
  EXPECT_FALSE(capture.headers);
  EXPECT_EQ(capture.rate, 8000.0);
  EXPECT_EQ(capture.channels, 1u);

  // The stream can be opened once a device is there.
  host.microphone().refuse("");
  EXPECT_EQ(capture.open(8000.0, 1), 0);
}

TEST(WaveInput, SamplesArriveInOrderAcrossTheWrapAndNoneIsLostWhileTheProgramKeepsUp) {
  scripted::host host;
  host.microphone().play(numbered(32000), 8000);
  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);

  const std::vector<std::int16_t> taken = read_for_passes(capture, 350);  // 3.5 s: the ring wraps once

  // Every whole buffer captured so far, and nothing else.
  ASSERT_EQ(taken.size(), 3500u / 30 * 240);
  for (std::size_t i = 0; i < taken.size(); ++i) ASSERT_EQ(taken[i], static_cast<std::int16_t>(i)) << i;
  EXPECT_EQ(host.microphone().dropped(), 0u);
}

TEST(WaveInput, AfterAStallTheMostRecentAudioIsKeptAndTheOldestDropped) {
  scripted::host host;
  host.microphone().play(numbered(32000), 8000);
  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);

  host.set_now(host.now() + 3000 * ms);  // the program does not enter the platform at all
  pass_time(0);
  waiter w;
  capture.requeue_completed(w);

  // Two seconds were kept: 66 whole buffers after the first second was dropped.
  EXPECT_EQ(host.microphone().dropped(), 8000u);
  EXPECT_EQ(portable::wave_in_dropped(capture.handle), 8000u);
  ASSERT_EQ(capture.next_buffer, 66u);
  std::uint32_t read_position = 0;
  const std::vector<std::int16_t> taken = take_completed(capture, read_position);
  ASSERT_EQ(taken.size(), 66u * 240);
  for (std::size_t i = 0; i < taken.size(); ++i)
    ASSERT_EQ(taken[i], static_cast<std::int16_t>(8000 + i)) << i;
}

TEST(WaveInput, RequeueEndsWhenTheDeviceIsGoneUnderneath) {
  scripted::host host;
  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);
  // Every buffer handed back and the device closed: nothing can be queued again.
  ASSERT_EQ(waveInReset(capture.handle), MMSYSERR_NOERROR);
  ASSERT_EQ(waveInClose(capture.handle), MMSYSERR_NOERROR);

  waiter w;
  capture.requeue_completed(w);
  EXPECT_EQ(capture.next_buffer, 0u);
  EXPECT_NE(w.deadline(), -1);
  capture.close();
  EXPECT_EQ(capture.handle, nullptr);
}

// A device that goes away and comes back: the buffers fill again with what it
// hears from its return, every sample of the gap is counted as dropped, and
// none is delivered twice or out of order.
TEST(WaveInput, ADeviceGoneAndBackResumesWithTheGapCountedAsDropped) {
  struct gap_case {
    const char* name;
    int gone_at_pass, back_at_pass;  // passes of 10 ms
  };
  const gap_case cases[] = {
      {"10 ms, inside one buffer", 100, 101},
      {"half a second", 100, 150},
      {"two seconds, most of the ring", 100, 300},
      {"from the first pass", 0, 40},
  };
  for (const gap_case& c : cases) {
    SCOPED_TRACE(c.name);
    scripted::host host;
    host.microphone().play(numbered(32000), 8000);
    wave_input capture;
    ASSERT_EQ(capture.open(8000.0, 1), 0);

    const std::vector<std::int16_t> taken = read_for_passes(capture, 390, [&](int pass) {
      if (pass == c.gone_at_pass) host.microphone().unplug();
      if (pass == c.back_at_pass) host.microphone().plug_in();
    });

    // In order and none twice: each sample follows the one before, except
    // once, across the gap, by what was missed.
    ASSERT_FALSE(taken.empty());
    std::uint64_t missed = c.gone_at_pass == 0 ? static_cast<std::uint64_t>(taken.front()) : 0;
    for (std::size_t i = 1; i < taken.size(); ++i) {
      const int step = taken[i] - taken[i - 1];
      if (step == 1) continue;
      ASSERT_GT(step, 1) << i;
      ASSERT_EQ(missed, 0u) << "a second gap at " << i;
      missed = static_cast<std::uint64_t>(step - 1);
    }
    // What was missed is what the drop counters say, and is the time the
    // device was gone (virtual time moves a little more than 10 ms a pass).
    EXPECT_EQ(host.microphone().dropped(), missed);
    EXPECT_EQ(portable::wave_in_dropped(capture.handle), missed);
    const double gap = (c.back_at_pass - c.gone_at_pass) * 80.0;
    EXPECT_NEAR(static_cast<double>(missed), gap, 8.0);
    // The buffers fill again up to the end of the run: the newest sample is
    // at most two buffers old.
    EXPECT_GE(taken.back(), 390 * 80 - 2 * 240);
  }
}

// After a stall of a whole round every buffer is done and next_buffer comes
// back where it was: the whole ring is new, in order from there.
TEST(WaveInput, AFullRoundIsTheWholeRingOfNewSamples) {
  scripted::host host;
  host.microphone().play(numbered(32000), 8000);
  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);
  waiter w;
  pass_time(300);
  capture.requeue_completed(w);
  std::uint32_t read_position = 0;
  ASSERT_EQ(take_completed(capture, read_position).size(), 10u * 240);

  for (int i = 0; i < 250; ++i) pass_time(10);  // pumping, but never re-queueing
  capture.requeue_completed(w);
  EXPECT_EQ(capture.next_buffer, 10u);
  EXPECT_EQ(capture.fresh_buffers, 67u);
  const std::vector<std::int16_t> taken = take_completed(capture, read_position);
  ASSERT_EQ(taken.size(), 16080u);
  for (std::size_t i = 0; i < taken.size(); ++i)
    ASSERT_EQ(taken[i], static_cast<std::int16_t>(2400 + i)) << i;
}

// A buffer the device refuses to take back stays at the head until it does:
// nothing behind it is read before it, and no buffer drops out of the queue.
TEST(WaveInput, ABufferTheDeviceRefusesIsOfferedAgainAtTheNextPass) {
  scripted::host host;
  host.microphone().play(numbered(32000), 8000);
  wave_input capture;
  ASSERT_EQ(capture.open(8000.0, 1), 0);
  int refusals = 0;
  host.failing = [&refusals](portable::host::fallible call) {
    if (call != portable::host::fallible::wave_in_add_buffer || refusals == 2) return false;
    ++refusals;
    return true;
  };
  int refused_before = 0;
  const std::vector<std::int16_t> taken = read_for_passes(  // 3 s: the ring comes round
      capture, 300, [&](int) { refused_before = refusals; },
      [&](int pass) {
        if (refusals == refused_before) return;
        EXPECT_EQ(capture.next_buffer, 0u) << "pass " << pass;
        EXPECT_EQ(capture.fresh_buffers, 0u);
      });
  EXPECT_EQ(refusals, 2);
  // Every whole buffer, in order, none twice: the refusals only delayed them.
  ASSERT_EQ(taken.size(), 3000u / 30 * 240);
  for (std::size_t i = 0; i < taken.size(); ++i) ASSERT_EQ(taken[i], static_cast<std::int16_t>(i)) << i;
  for (std::uint32_t i = 0; i < capture.buffer_count; ++i)
    EXPECT_TRUE(capture.headers[i].dwFlags & WHDR_INQUEUE) << i;
}

// When queueing fails part way through opening, the buffers after the failed
// one have never been prepared, and close() hands every header to the
// platform: they must be empty, not whatever the allocation held.
TEST(WaveInput, HeadersNotYetQueuedWhenOpeningFailsAreEmpty) {
  scripted::host host;
  wave_input capture;
  int calls = 0;
  bool later_headers_empty = false;
  host.failing = [&](portable::host::fallible call) {
    if (call != portable::host::fallible::wave_in_add_buffer || ++calls != 5) return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&capture.headers[5]);
    later_headers_empty =
        std::all_of(bytes, bytes + 62 * sizeof(WAVEHDR), [](unsigned char b) { return b == 0; });
    return true;
  };
  EXPECT_EQ(capture.open(8000.0, 1), 5);
  EXPECT_EQ(calls, 5);
  EXPECT_TRUE(later_headers_empty);
  EXPECT_EQ(capture.handle, nullptr);
  EXPECT_FALSE(capture.headers);
  EXPECT_EQ(host.microphone().open_captures(), 0);
}

}  // namespace
