// The frame every benchmark analyses, so that their times compare.
#pragma once

#include <vector>

// fft_size samples: a 440 Hz tone and a 1250 Hz partial over low noise, as a
// microphone might deliver them, scaled to -1 ... 1 and not yet windowed.
std::vector<double> test_frame();
