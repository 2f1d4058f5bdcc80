#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

// The colour arithmetic computes in x87 extended precision (long double with GCC and MinGW on
// x86) and rounds to single precision where a value is stored as a float, so that every build,
// 32-bit or 64-bit, native or Windows, gives the same bits.
namespace kb::extended {

// A single widened to extended precision, for the arithmetic that follows.
inline long double ext(float x) {
  return static_cast<long double>(x);
}

// Rounds a double or long double to single precision. Where the compiler evaluates floats in
// wider registers (x87 without SSE), only a store to memory rounds for certain.
template <typename Real>
inline float to_single(Real x) {
#if FLT_EVAL_METHOD != 0
  volatile float stored = static_cast<float>(x);
  return stored;
#else
  return static_cast<float>(x);
#endif
}

// Rounds toward zero to an integer. NaN gives 0 and magnitudes beyond 2^62 are clamped, so
// that no input is undefined behaviour.
inline std::int64_t trunc(long double x) {
  constexpr long double kLimit = 4611686018427387904.0L;  // 2^62
  if (std::isnan(x)) {
    return 0;
  }
  if (x >= kLimit) {
    return static_cast<std::int64_t>(kLimit);
  }
  if (x <= -kLimit) {
    return -static_cast<std::int64_t>(kLimit);
  }
  return static_cast<std::int64_t>(x);
}

inline constexpr long double kPi = 3.14159265358979323846264338327950288L;
inline constexpr long double kOneSixth = 0.16666666666666666667L;
inline constexpr long double kInvTwoPi = 0.15915494309189533577L;

}  // namespace kb::extended
