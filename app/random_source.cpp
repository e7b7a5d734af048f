#include "app/random_source.h"

#include <chrono>
#include <cmath>

namespace animatsiya {
namespace {

// SplitMix64: spreads neighbouring inputs (a clock reading, a reseed count) over the
// whole 64-bit range before they seed the generator.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

RandomSource::RandomSource() { Reseed(); }

void RandomSource::UseFixedSeed(std::uint64_t seed) {
  fixedSeed_ = seed;
  reseedCount_ = 0;
  generator_.seed(Mix(seed));
}

void RandomSource::Reseed() {
  ++reseedCount_;
  std::uint64_t base;
  if (fixedSeed_) {
    base = Mix(*fixedSeed_) ^ Mix(reseedCount_);
  } else {
    // Nanoseconds and the reseed count together: two reseeds within one clock reading
    // still differ. The wall clock joins in because in a browser the high-resolution
    // clock starts from zero with every page.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch();
    const auto wall = std::chrono::system_clock::now().time_since_epoch();
    base = Mix(static_cast<std::uint64_t>(now.count())) ^
           Mix(static_cast<std::uint64_t>(wall.count()) + 0x3A11) ^ Mix(reseedCount_ + 0x51ED);
  }
  generator_.seed(Mix(base));
  if (observer_ != nullptr) observer_->OnReseed();
}

double RandomSource::Next() {
  return static_cast<double>(generator_() >> 11) * 0x1.0p-53;
}

Int16 RandomSource::RandomInt(int n) {
  int value = static_cast<int>(std::floor(n * Next()));
  // n * r rounds below n for every r < 1 and n < 2^16; the guard only documents it.
  if (value >= n) value = n - 1;
  if (observer_ != nullptr) observer_->OnRandomInt(n, value);
  return value;
}

}  // namespace animatsiya
