#define _POSIX_C_SOURCE 200809L
#include "disk_loop.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#define DISK_LOOP_RAND_MAX 32767
#define DISK_LOOP_FILL 0x6D

int disk_loop_init(struct disk_loop *loop, const char *directory, const char *name, int32_t blocks) {
  int length = snprintf(loop->path, sizeof loop->path, "%s/%s", directory, name);
  loop->fd = -1;
  loop->blocks = blocks;
  loop->rand_state = 1;
  memset(loop->buffer, DISK_LOOP_FILL, sizeof loop->buffer);
  return length >= 0 && (size_t)length < sizeof loop->path ? 0 : -1;
}

int disk_loop_rand(struct disk_loop *loop) {
  loop->rand_state = loop->rand_state * 214013u + 2531011u;
  return (int)((loop->rand_state >> 16) & 0x7FFFu);
}

int disk_loop_create(struct disk_loop *loop) {
  loop->fd = open(loop->path, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  return loop->fd >= 0 ? 0 : -1;
}

static int64_t write_block(struct disk_loop *loop) {
  ssize_t n;
  do n = write(loop->fd, loop->buffer, DISK_LOOP_BLOCK_SIZE);
  while (n < 0 && errno == EINTR);
  return n;
}

static int64_t read_block(struct disk_loop *loop) {
  ssize_t n;
  do n = read(loop->fd, loop->buffer, DISK_LOOP_BLOCK_SIZE);
  while (n < 0 && errno == EINTR);
  return n;
}

/* As in ours: block = draw * blocks / 32767, so the largest draw lands one block past the
 * end. A failed seek is ignored; the transfer goes ahead where the file stands. */
static void seek_random_block(struct disk_loop *loop) {
  int64_t block = (int64_t)disk_loop_rand(loop) * loop->blocks / DISK_LOOP_RAND_MAX;
  (void)lseek(loop->fd, (off_t)(block * DISK_LOOP_BLOCK_SIZE), SEEK_SET);
}

int64_t disk_loop_sequential_write(struct disk_loop *loop) {
  int64_t moved = 0;
  (void)lseek(loop->fd, 0, SEEK_SET);
  for (int32_t i = 0; i < loop->blocks; ++i) {
    int64_t n = write_block(loop);
    if (n <= 0) break;
    moved += n;
  }
  return moved;
}

/* A read at the end of the file moves nothing and is not a failure, as in ours. */
int64_t disk_loop_sequential_read(struct disk_loop *loop) {
  int64_t moved = 0;
  (void)lseek(loop->fd, 0, SEEK_SET);
  for (int32_t i = 0; i < loop->blocks; ++i) {
    int64_t n = read_block(loop);
    if (n < 0) break;
    moved += n;
  }
  return moved;
}

int64_t disk_loop_random_write(struct disk_loop *loop) {
  int64_t moved = 0;
  for (int32_t i = 0; i < loop->blocks; ++i) {
    seek_random_block(loop);
    int64_t n = write_block(loop);
    if (n <= 0) break;
    moved += n;
  }
  return moved;
}

int64_t disk_loop_random_read(struct disk_loop *loop) {
  int64_t moved = 0;
  for (int32_t i = 0; i < loop->blocks; ++i) {
    seek_random_block(loop);
    int64_t n = read_block(loop);
    if (n < 0) break;
    moved += n;
  }
  return moved;
}

int disk_loop_delete(struct disk_loop *loop) {
  int closed = loop->fd >= 0 ? close(loop->fd) : 0;
  loop->fd = -1;
  int unlinked = unlink(loop->path);
  return closed == 0 && unlinked == 0 ? 0 : -1;
}
