/* The disk test as a plain C program would write it against the host's system calls: the
 * baseline that bench_engine_disk_reference sets our disk test against. Same shape as
 * ours: one create-exclusive open, 4096-byte transfers (one system call each), a seek to
 * 0 before each sequential phase and a seek before each random transfer, random blocks
 * drawn from the runtime's generator (its own copy of it, so the baseline pays no more
 * than plain C would), then close and unlink. Each phase returns the bytes it moved and
 * stops at the first failed transfer, as ours does. */
#ifndef TORVEX_BENCH_DISK_LOOP_H
#define TORVEX_BENCH_DISK_LOOP_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define DISK_LOOP_BLOCK_SIZE 4096
#ifdef __cplusplus
#define DISK_LOOP_ALIGNED alignas(32)
#else
#define DISK_LOOP_ALIGNED _Alignas(32)
#endif
#define DISK_LOOP_PATH_MAX 4096

struct disk_loop {
  /* First and 32-byte aligned, as a compiler places a module's own 4 KB array: how the
   * buffer straddles pages and cache lines changes what a copy costs. */
  DISK_LOOP_ALIGNED unsigned char buffer[DISK_LOOP_BLOCK_SIZE];
  int fd;
  int32_t blocks;
  uint32_t rand_state; /* the runtime generator's state: starts at 1, runs on */
  char path[DISK_LOOP_PATH_MAX];
};

/* Sets up a loop over `blocks` blocks whose scratch file is `directory`/`name`.
 * Returns 0, or -1 when the path does not fit. */
int disk_loop_init(struct disk_loop *loop, const char *directory, const char *name, int32_t blocks);

/* The runtime's rand on this loop's state: bits 16..30 of the next state. */
int disk_loop_rand(struct disk_loop *loop);

/* Opens the scratch file with create-exclusive, read and write. 0, or -1 (errno set). */
int disk_loop_create(struct disk_loop *loop);
int64_t disk_loop_sequential_write(struct disk_loop *loop);
int64_t disk_loop_sequential_read(struct disk_loop *loop);
int64_t disk_loop_random_write(struct disk_loop *loop);
int64_t disk_loop_random_read(struct disk_loop *loop);
/* Closes and unlinks the scratch file. 0, or -1 when either failed. */
int disk_loop_delete(struct disk_loop *loop);

#ifdef __cplusplus
}
#endif

#endif
