#pragma once

#include <cstdint>
#include <optional>
#include <random>

#include "app/int16.h"

namespace animatsiya {

// Told of every draw and reseed; the trace tool listens, the program does not.
class RandomObserver {
 public:
  virtual ~RandomObserver() = default;
  virtual void OnRandomInt(int n, int value) = 0;
  virtual void OnReseed() = 0;
};

// The program's one pseudo-random source of reals in [0, 1).
class RandomSource {
 public:
  RandomSource();

  // With a fixed seed every reseed is derived from it and the number of reseeds so far,
  // so a run can be repeated exactly; without one, reseeds come from the clock.
  void UseFixedSeed(std::uint64_t seed);

  void Reseed();

  // Uniform in [0, 1): 53 random bits scaled by 2^-53, so 1.0 cannot come out.
  double Next();

  // The largest integer not greater than n * Next(), 0 to n - 1.
  Int16 RandomInt(int n);

  void SetObserver(RandomObserver* observer) { observer_ = observer; }

 private:
  std::mt19937_64 generator_;
  std::optional<std::uint64_t> fixedSeed_;
  std::uint64_t reseedCount_ = 0;
  RandomObserver* observer_ = nullptr;
};

}  // namespace animatsiya
