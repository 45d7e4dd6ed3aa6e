// The Run! command's fixed texts and limits.
#pragma once

// The drivers' per-thread tables hold 63 entries, so no more threads than that.
constexpr int kMaxRunThreads = 63;
// How long the disk test's last line stays before "Benchmarks complete".
constexpr unsigned kCompletePauseMilliseconds = 1000;

constexpr char kStatusDhrystone[] = "Running Dhrystones";
constexpr char kStatusWhetstone[] = "Running Whetstones";
constexpr char kStatusDisk[] = "Running Disk Benchmark";
constexpr char kStatusComplete[] = "Benchmarks complete";

constexpr char kThreadLimitText[] = "Maximum threads exceeded";
constexpr char kThreadLimitCaption[] = "Threads";
constexpr char kNoDriveText[] = "No disk drive selected";
constexpr char kNoDriveCaption[] = "Disk Drive";

constexpr char kBlocksLimitCaption[] = "Blocks";
// The refusal names the drive, the space there and the largest count that fits.
constexpr char kBlocksLimitFormat[] =
    "Not enough free space on drive %s for %d blocks: %llu bytes free, room for %lld blocks";
