#pragma once

#include <cstdint>

namespace animatsiya {

// A 16-bit signed value whose arithmetic never wraps. Sums and differences are made in
// int and stored back through the constructor, which saturates a result outside
// -32768..32767 at the nearer limit and counts it, so that an overflow is both harmless
// and detectable. The one field that can reach a limit is titleTick, which then stays at
// 32767.
class Int16 {
 public:
  constexpr Int16() = default;
  Int16(int value) : value_(Saturate(value)) {}  // NOLINT: implicit on purpose
  constexpr operator int() const { return value_; }  // NOLINT: implicit on purpose

  // Sums and differences stay 16-bit values, so a beam end such as ufoX + 200 is
  // checked like a field.
  friend Int16 operator+(Int16 a, int b) { return Int16(int(a) + b); }
  friend Int16 operator-(Int16 a, int b) { return Int16(int(a) - b); }

  // How many results have been saturated since the program started.
  static std::uint64_t OverflowCount() { return overflowCount_; }

 private:
  static std::int16_t Saturate(int value) {
    if (value > INT16_MAX) {
      ++overflowCount_;
      return INT16_MAX;
    }
    if (value < INT16_MIN) {
      ++overflowCount_;
      return INT16_MIN;
    }
    return static_cast<std::int16_t>(value);
  }

  std::int16_t value_ = 0;
  static inline std::uint64_t overflowCount_ = 0;
};

}  // namespace animatsiya
