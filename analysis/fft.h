// Fourier transform of a real frame into its one-sided amplitude spectrum.
#pragma once

#include <cstdint>
#include <vector>

// One output bin. The magnitude is normalised so that a sinusoid of amplitude A
// lying exactly on a bin reads A there; the phase is that of the transform taken
// with the positive exponent, i.e. minus the usual DFT phase.
struct spectrum_bin {
  double magnitude;
  double phase;
};

// A real frame of n samples is transformed as n/2 complex points (even samples
// as real parts, odd as imaginary parts) by an iterative radix-2 transform, then
// split into the n/2 + 1 bins of the real input. Immutable after construction,
// so one instance serves any number of calls.
class FFT {
 public:
  struct complex_value {
    double re;
    double im;
  };

  // n must be a power of two and at least 2.
  explicit FFT(std::uint32_t n);

  // Reads input[0 ... n-1], overwrites output[0 ... n/2]; the caller sizes both.
  void transform(const std::vector<double>& input, std::vector<spectrum_bin>& output) const;

  // The inner transform over half_size points, out of place:
  // destination[k] = scale * sum over m of source[m] * e^(+-2 pi i k m / half_size),
  // with the plus sign and scale 1/n when forward, the minus sign and scale 2
  // otherwise, so that a backward transform undoes a forward one.
  void complex_transform(bool forward, const complex_value* source, complex_value* destination) const;

  const std::uint32_t half_size;
  // Entry j holds j with its log2(half_size) low bits reversed.
  const std::vector<std::int32_t> bit_reverse;

 private:
  void pack(const std::vector<double>& input, complex_value* work) const;
  void unpack(complex_value* result, std::vector<spectrum_bin>& output) const;
};
