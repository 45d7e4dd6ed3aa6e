// The double-precision Whetstone kernel. The modules run in their published order; each
// leaves its result in the calling thread's record of module values.
#include <cmath>
#include <cstring>

#include "engine/whet_d.h"

namespace {

constexpr double T = 0.499975;
constexpr double T2 = 2.0;
// 1 / 0.50025, rounded to the nearest double: the exponent of module 11.
constexpr double R = 1.999000499750125;

thread_local WhetdModuleValues lastCallValues;

void KeepArray(double (&to)[4], const double* from) { std::memcpy(to, from, sizeof to); }

// The integer modules start from published constants, and from those the compiler can
// work the loops out ahead of time: module 6 never leaves 1, 2, 3, so its 21000 runs were
// dropped and replaced by their result. The value goes through an empty assembly statement
// that might change it, so the loops run on a value known only when the call runs. It
// emits no instruction.
std::int32_t StartingValue(std::int32_t value) {
  asm("" : "+r"(value));
  return value;
}

}  // namespace

const WhetdModuleValues& WhetdLastCallValues() { return lastCallValues; }

void D_pa(double* E, double T, double T2) {
  for (int j = 0; j < 6; ++j) {
    E[0] = (E[0] + E[1] + E[2] - E[3]) * T;
    E[1] = (E[0] + E[1] - E[2] + E[3]) * T;
    E[2] = (E[0] - E[1] + E[2] + E[3]) * T;
    E[3] = (-E[0] + E[1] + E[2] + E[3]) / T2;
  }
}

void D_p3(double X, double Y, double* Z, double T, double T2) {
  X = T * (X + Y);
  Y = T * (X + Y);
  *Z = (X + Y) / T2;
}

void D_p0(double* E, std::int32_t J, std::int32_t K, std::int32_t L) {
  E[J] = E[K];
  E[K] = E[L];
  E[L] = E[J];
}

void whetd() {
  WhetdModuleValues& values = lastCallValues;
  double E1[4] = {1.0, -1.0, -1.0, -1.0};

  // Module 2: array elements.
  for (int i = 0; i < kWhetModule2Count; ++i) {
    E1[0] = (E1[0] + E1[1] + E1[2] - E1[3]) * T;
    E1[1] = (E1[0] + E1[1] - E1[2] + E1[3]) * T;
    E1[2] = (E1[0] - E1[1] + E1[2] + E1[3]) * T;
    E1[3] = (-E1[0] + E1[1] + E1[2] + E1[3]) * T;
  }
  KeepArray(values.module2E1, E1);

  // Module 3: array as parameter.
  for (int i = 0; i < kWhetModule3Count; ++i) D_pa(E1, T, T2);
  KeepArray(values.module3E1, E1);

  // Module 4: conditional jumps.
  std::int32_t J = StartingValue(1);
  for (int i = 0; i < kWhetModule4Count; ++i) {
    J = J == 1 ? 2 : 3;
    J = J > 2 ? 0 : 1;
    J = J < 1 ? 1 : 0;
  }
  values.module4J = J;

  // Module 6: integer arithmetic.
  J = StartingValue(1);
  std::int32_t K = StartingValue(2);
  std::int32_t L = StartingValue(3);
  for (int i = 0; i < kWhetModule6Count; ++i) {
    J = J * (K - J) * (L - K);
    K = L * K - (L - J) * K;
    L = (L - K) * (K + J);
    E1[L - 2] = J + K + L;
    E1[K - 2] = J * K * L;
  }
  values.module6J = J;
  values.module6K = K;
  values.module6L = L;
  KeepArray(values.module6E1, E1);

  // Module 7: trigonometric functions.
  double X = 0.5;
  double Y = 0.5;
  for (int i = 0; i < kWhetModule7Count; ++i) {
    X = T * std::atan(T2 * std::sin(X) * std::cos(X) / (std::cos(X + Y) + std::cos(X - Y) - 1.0));
    Y = T * std::atan(T2 * std::sin(Y) * std::cos(Y) / (std::cos(X + Y) + std::cos(X - Y) - 1.0));
  }
  values.module7X = X;
  values.module7Y = Y;

  // Module 8: procedure calls.
  double Z = 1.0;
  for (int i = 0; i < kWhetModule8Count; ++i) D_p3(1.0, 1.0, &Z, T, T2);
  values.module8Z = Z;

  // Module 9: array references.
  E1[0] = 1.0;
  E1[1] = 2.0;
  E1[2] = 3.0;
  for (int i = 0; i < kWhetModule9Count; ++i) D_p0(E1, 1, 2, 3);
  KeepArray(values.module9E1, E1);

  // Module 11: standard functions.
  X = 0.75;
  for (int i = 0; i < kWhetModule11Count; ++i) X = std::sqrt(std::exp(std::log(X) * R));
  values.module11X = X;
}
