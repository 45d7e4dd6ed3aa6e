/* Reference floating-point benchmark: the modules in their published order, each result
   kept in a global so that no module can be dropped. */
#include <math.h>

#include "whetd_ref.h"

double ref_whetd_results[8];

/* In a unit of their own (whetd_ref2.c): the benchmark counts every call as work, so the
   compiler must not fold the procedures into the modules and drop the loops that repeat
   them, which it does at -O2 when they sit in this unit. */
void D_pa(double* E, double T, double T2);
void D_p3(double X, double Y, double* Z, double T, double T2);
void D_p0(double* E, int J, int K, int L);

/* The integer modules start from values the compiler must not know: from the published
   constants it works module 6 out ahead of time (it never leaves 1, 2, 3) and drops its
   loop. The empty assembly statement emits nothing. */
static int starting_value(int value) {
  __asm__("" : "+r"(value));
  return value;
}

void ref_whetd(void) {
  const double T = 0.499975, T2 = 2.0, R = 1.999000499750125;
  double E1[4] = {1.0, -1.0, -1.0, -1.0};
  double X, Y, Z;
  int i, J, K, L;

  for (i = 0; i < 1200; ++i) {
    E1[0] = (E1[0] + E1[1] + E1[2] - E1[3]) * T;
    E1[1] = (E1[0] + E1[1] - E1[2] + E1[3]) * T;
    E1[2] = (E1[0] - E1[1] + E1[2] + E1[3]) * T;
    E1[3] = (-E1[0] + E1[1] + E1[2] + E1[3]) * T;
  }
  ref_whetd_results[0] = E1[3];

  for (i = 0; i < 1400; ++i) D_pa(E1, T, T2);
  ref_whetd_results[1] = E1[3];

  J = starting_value(1);
  for (i = 0; i < 34500; ++i) {
    J = J == 1 ? 2 : 3;
    J = J > 2 ? 0 : 1;
    J = J < 1 ? 1 : 0;
  }
  ref_whetd_results[2] = J;

  J = starting_value(1);
  K = starting_value(2);
  L = starting_value(3);
  for (i = 0; i < 21000; ++i) {
    J = J * (K - J) * (L - K);
    K = L * K - (L - J) * K;
    L = (L - K) * (K + J);
    E1[L - 2] = J + K + L;
    E1[K - 2] = J * K * L;
  }
  ref_whetd_results[3] = E1[0] + E1[1];

  X = Y = 0.5;
  for (i = 0; i < 3200; ++i) {
    X = T * atan(T2 * sin(X) * cos(X) / (cos(X + Y) + cos(X - Y) - 1.0));
    Y = T * atan(T2 * sin(Y) * cos(Y) / (cos(X + Y) + cos(X - Y) - 1.0));
  }
  ref_whetd_results[4] = X + Y;

  Z = 1.0;
  for (i = 0; i < 89900; ++i) D_p3(1.0, 1.0, &Z, T, T2);
  ref_whetd_results[5] = Z;

  E1[0] = 1.0;
  E1[1] = 2.0;
  E1[2] = 3.0;
  for (i = 0; i < 61600; ++i) D_p0(E1, 1, 2, 3);
  ref_whetd_results[6] = E1[1];

  X = 0.75;
  for (i = 0; i < 9300; ++i) X = sqrt(exp(log(X) * R));
  ref_whetd_results[7] = X;
}

double ref_whetd_module8(void) { return ref_whetd_results[5]; }
