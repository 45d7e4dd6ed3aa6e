// The floating-point benchmark: Whetstone in double precision. One call of `whetd` runs
// every module once with the counts below, 10 million Whetstone instructions in all. All
// state of a call is its own, so calls on several threads never meet.
#pragma once

#include <cstdint>

#include "engine/kernel_support.h"

void whetd();

// Module 3: the array handed over as a parameter.
TORVEX_KERNEL_CALL void D_pa(double* E, double T, double T2);
// Module 8: procedure calls; Z receives the result.
TORVEX_KERNEL_CALL void D_p3(double X, double Y, double* Z, double T, double T2);
// Module 9: array references through indices.
TORVEX_KERNEL_CALL void D_p0(double* E, std::int32_t J, std::int32_t K, std::int32_t L);

// Repetitions of each module per call (the published weights times 100).
constexpr int kWhetModule2Count = 1200;
constexpr int kWhetModule3Count = 1400;
constexpr int kWhetModule4Count = 34500;
constexpr int kWhetModule6Count = 21000;
constexpr int kWhetModule7Count = 3200;
constexpr int kWhetModule8Count = 89900;
constexpr int kWhetModule9Count = 61600;
constexpr int kWhetModule11Count = 9300;

// What each module of the last call on the calling thread left behind. Recording it makes
// every module's result observable, so no loop can be dropped as unused.
struct WhetdModuleValues {
  double module2E1[4];
  double module3E1[4];
  std::int32_t module4J;
  std::int32_t module6J, module6K, module6L;
  double module6E1[4];
  double module7X, module7Y;
  double module8Z;
  double module9E1[4];
  double module11X;
};
const WhetdModuleValues& WhetdLastCallValues();
