/* The integer benchmark compiled the classic way, as the yardstick for the engine's `dhry`:
   plain C, two translation units at -O2, no link-time optimisation, shared state in plain
   globals. The first unit holds the main loop and Proc_1 ... Proc_5, which the compiler may
   inline into the loop; the second holds Proc_6 ... Proc_8 and Func_1 ... Func_3, which the
   first unit can only call. Single-threaded only. */
#ifndef TORVEX_BENCH_DHRY_REF_H
#define TORVEX_BENCH_DHRY_REF_H

#ifdef __cplusplus
extern "C" {
#endif

/* One call: the one-time set-up on the first call, then 200000 runs. */
void ref_dhry(void);

/* The run counter Arr_2_Glob[8][7]: 10 + 200000 per call. */
int ref_dhry_run_counter(void);

#ifdef __cplusplus
}
#endif

#endif
