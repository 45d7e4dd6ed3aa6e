/* The floating-point benchmark compiled the classic way, as the yardstick for the engine's
   `whetd`: plain C at -O2, the modules in one unit and the three procedures they call in
   another, so that every call the benchmark counts is made. */
#ifndef TORVEX_BENCH_WHETD_REF_H
#define TORVEX_BENCH_WHETD_REF_H

#ifdef __cplusplus
extern "C" {
#endif

/* One call: every module once, 10 million Whetstone instructions. */
void ref_whetd(void);

/* What module 8 left behind in the last call (about 0.9999375). */
double ref_whetd_module8(void);

#ifdef __cplusplus
}
#endif

#endif
