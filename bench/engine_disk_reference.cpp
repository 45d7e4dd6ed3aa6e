// Our disk test against the same test written as a plain C loop over the host's system
// calls (reference/disk_loop.c), for 1024 and 4096 blocks. Ours runs the engine's own
// phase kernels, in the disk test's order; each round runs ours and the reference back
// to back (the order swapping every time), both starting from the same random state so
// they draw the same blocks. A round gives, per transfer phase and for the whole test,
// ours ÷ reference in bytes per second of processor time, and for the create and delete
// phases together ours ÷ reference in time. Medians over the rounds are set against the
// goals; the program exits with status 1 when one misses by more than its noise band, or
// when a phase of any side moved fewer bytes than the test must move. The noise band is
// the rounds' spread, widened by an A/A control (the reference against itself).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/reference/disk_loop.h"
#include "bench/support/disk_expectation.h"
#include "bench/support/paired_ratio.h"
#include "bench/support/scratch_folder.h"
#include "bench/support/thread_clock.h"
#include "engine/disknt.h"
#include "win32/crt.h"

namespace {

constexpr int kRounds = 11;
constexpr std::int32_t kBlockCounts[] = {1024, 4096};

// Phases in the disk test's order; 0 and 5 are create and delete.
constexpr int kPhases = 6;
constexpr int kTransferPhases[] = {1, 2, 3, 4};
const char* const kPhaseNames[kPhases] = {"create",        "sequential write", "sequential read",
                                          "random write",  "random read",      "delete"};

const bench::Goal kTransferGoal{bench::Goal::kAtLeast, 0.97};
const bench::Goal kWholeGoal{bench::Goal::kAtLeast, 0.98};
const bench::Goal kCreateDeleteGoal{bench::Goal::kAtMost, 2.0};

struct Run {
  double seconds[kPhases] = {};
  std::int64_t bytes[kPhases] = {};  // moved by the transfer phases
  std::string failure;               // empty when every phase moved what it must

  double total_seconds() const {
    double sum = 0;
    for (double s : seconds) sum += s;
    return sum;
  }
  std::int64_t total_bytes() const {
    std::int64_t sum = 0;
    for (std::int64_t b : bytes) sum += b;
    return sum;
  }
};

template <typename Phase>
double Timed(Phase phase) {
  double start = bench::ThreadSeconds();
  phase();
  return bench::ThreadSeconds() - start;
}

void Expect(Run& run, const char* side, int phase, std::int64_t moved, std::int64_t expected) {
  if (moved == expected || !run.failure.empty()) return;
  char text[200];
  std::snprintf(text, sizeof text, "%s %s phase moved %lld of %lld bytes", side, kPhaseNames[phase],
                static_cast<long long>(moved), static_cast<long long>(expected));
  run.failure = text;
}

// Ours: the engine's phase kernels, each phase's bytes as the engine counted them. The
// scratch file is checked as well (outside the timed phases), so a count that does not
// match what reached the file shows too.
Run RunOurs(const bench::ScratchFolder& folder, std::int32_t blocks, unsigned seed) {
  static void (*const kKernels[kPhases])() = {diskio0, diskio1, diskio2, diskio3, diskio4, diskio5};
  bench::DiskExpectation expect = bench::ExpectDiskTest(blocks, seed);
  const std::int64_t must_move[kPhases] = {0, expect.sequential_bytes, expect.sequential_bytes,
                                           expect.random_write_bytes, expect.random_read_bytes, 0};
  Run run;
  PrepareDiskTest(blocks, bench::ScratchFolder::kDrive);
  msvcrt::srand(seed);
  for (int phase = 0; phase < kPhases; ++phase) {
    std::uint64_t before = DiskBytesMoved();
    run.seconds[phase] = Timed(kKernels[phase]);
    run.bytes[phase] = static_cast<std::int64_t>(DiskBytesMoved() - before);
    Expect(run, "ours:", phase, run.bytes[phase], must_move[phase]);
    long long file_bytes = phase == 3 ? folder.only_file_size() : 0;
    if (phase == 3 && file_bytes != expect.file_bytes_after_random_write && run.failure.empty())
      run.failure = "ours: after the random write the scratch file holds " + std::to_string(file_bytes) +
                    " bytes, not " + std::to_string(expect.file_bytes_after_random_write);
  }
  if (run.failure.empty() && DiskTestFailure()[0] != 0) run.failure = std::string("ours: ") + DiskTestFailure();
  if (run.failure.empty() && folder.file_count() != 0) run.failure = "ours: the delete phase left the scratch file";
  return run;
}

Run RunReference(const bench::ScratchFolder& folder, std::int32_t blocks, unsigned seed,
                 const char* name = "reference.tmp") {
  bench::DiskExpectation expect = bench::ExpectDiskTest(blocks, seed);
  static disk_loop loop;  // 8 KB of path and buffer: not for the stack
  Run run;
  if (disk_loop_init(&loop, folder.path().c_str(), name, blocks) != 0) {
    run.failure = "reference: the scratch path is too long";
    return run;
  }
  loop.rand_state = seed;
  int created = 0;
  run.seconds[0] = Timed([&] { created = disk_loop_create(&loop); });
  if (created != 0) run.failure = "reference: cannot create its scratch file";
  run.seconds[1] = Timed([&] { run.bytes[1] = disk_loop_sequential_write(&loop); });
  run.seconds[2] = Timed([&] { run.bytes[2] = disk_loop_sequential_read(&loop); });
  run.seconds[3] = Timed([&] { run.bytes[3] = disk_loop_random_write(&loop); });
  run.seconds[4] = Timed([&] { run.bytes[4] = disk_loop_random_read(&loop); });
  run.seconds[5] = Timed([&] { disk_loop_delete(&loop); });
  Expect(run, "reference:", 1, run.bytes[1], expect.sequential_bytes);
  Expect(run, "reference:", 2, run.bytes[2], expect.sequential_bytes);
  Expect(run, "reference:", 3, run.bytes[3], expect.random_write_bytes);
  Expect(run, "reference:", 4, run.bytes[4], expect.random_read_bytes);
  return run;
}

// A round runs each side kTries times, in turn, and keeps each phase's fastest time:
// other work on the machine only ever adds time, so the fastest of a few runs is the
// truest cost of a phase, and the median over rounds then discards rounds where even that
// was disturbed. Every side draws the same blocks in every try. The control is the
// reference once more, under another name: ours is judged against the reference, and the
// reference against the control tells how much the machine alone moves a ratio.
constexpr int kTries = 5;

struct Sides {
  Run ours, reference, control;
};

void KeepFastest(Run& best, const Run& run, bool first) {
  if (!run.failure.empty() && best.failure.empty()) best.failure = run.failure;
  for (int phase = 0; phase < kPhases; ++phase) {
    if (first || run.seconds[phase] < best.seconds[phase]) best.seconds[phase] = run.seconds[phase];
    best.bytes[phase] = run.bytes[phase];
  }
}

Sides RunRound(const bench::ScratchFolder& folder, std::int32_t blocks, unsigned seed, int round) {
  Sides best;
  for (int t = 0; t < kTries; ++t) {
    bool first = t == 0;
    // The three sides take turns at going first.
    for (int turn = 0; turn < 3; ++turn) {
      switch ((round + t + turn) % 3) {
        case 0:
          KeepFastest(best.ours, RunOurs(folder, blocks, seed), first);
          break;
        case 1:
          KeepFastest(best.reference, RunReference(folder, blocks, seed), first);
          break;
        default:
          KeepFastest(best.control, RunReference(folder, blocks, seed, "control.tmp"), first);
          break;
      }
    }
  }
  return best;
}

double Speed(std::int64_t bytes, double seconds) { return seconds > 0 ? static_cast<double>(bytes) / seconds : 0; }

struct Row {
  std::string name;
  const char* kind;  // what the ratio compares
  bench::Goal goal;
  std::vector<double> ratios;   // ours / reference
  std::vector<double> control;  // control / reference
};

// The rows' ratios of side a to side b, in row order.
std::vector<double> RowRatios(const Run& a, const Run& b) {
  std::vector<double> ratios;
  for (int phase : kTransferPhases)
    ratios.push_back(Speed(a.bytes[phase], a.seconds[phase]) / Speed(b.bytes[phase], b.seconds[phase]));
  ratios.push_back(Speed(a.total_bytes(), a.total_seconds()) / Speed(b.total_bytes(), b.total_seconds()));
  ratios.push_back((a.seconds[0] + a.seconds[5]) / (b.seconds[0] + b.seconds[5]));
  return ratios;
}

void PrintRow(const Row& row, bool& ok) {
  bench::RatioSummary control = bench::Summarise(row.control);
  bench::RatioSummary summary = bench::WithControl(bench::Summarise(row.ratios), control);
  bench::Verdict verdict = bench::Judge(summary, row.goal);
  ok = ok && verdict != bench::Verdict::kMissed;
  std::printf("  %-28s %-6s %7.3f %9.3f %9s  %-12s %7.3f\n", row.name.c_str(), row.kind, summary.median, summary.band,
              bench::FormatGoal(row.goal).c_str(), bench::VerdictText(verdict), control.median);
}

// Returns false on a missed goal or a short phase.
bool CompareAt(const bench::ScratchFolder& folder, std::int32_t blocks) {
  std::vector<Row> rows;
  for (int phase : kTransferPhases) rows.push_back({kPhaseNames[phase], "speed", kTransferGoal, {}, {}});
  rows.push_back({"whole test", "speed", kWholeGoal, {}, {}});
  rows.push_back({"create + delete", "time", kCreateDeleteGoal, {}, {}});
  double ours_whole = 0, reference_whole = 0;
  double ours_phase[kPhases] = {}, reference_phase[kPhases] = {};
  std::vector<double> create_ratios;  // shown for information: the goal is on both together

  for (int round = 0; round < kRounds; ++round) {
    unsigned seed = 1u + static_cast<unsigned>(round);
    Sides sides = RunRound(folder, blocks, seed, round);
    for (const Run* run : {&sides.ours, &sides.reference, &sides.control}) {
      if (!run->failure.empty()) {
        std::printf("FAILED at %d blocks: %s; no rate is given for a test that did not do its work\n", blocks,
                    run->failure.c_str());
        return false;
      }
    }
    std::vector<double> ratios = RowRatios(sides.ours, sides.reference);
    std::vector<double> control = RowRatios(sides.control, sides.reference);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      rows[r].ratios.push_back(ratios[r]);
      rows[r].control.push_back(control[r]);
    }
    create_ratios.push_back(sides.ours.seconds[0] / sides.reference.seconds[0]);
    for (int phase = 0; phase < kPhases; ++phase) {
      ours_phase[phase] += sides.ours.seconds[phase];
      reference_phase[phase] += sides.reference.seconds[phase];
    }
    ours_whole += sides.ours.total_seconds();
    reference_whole += sides.reference.total_seconds();
  }

  std::printf("\n%d blocks (%d MB), ours / reference in processor time, medians of %d interleaved rounds"
              " (each the fastest of %d runs a side):\n",
              blocks, static_cast<int>(blocks * bench::kDiskBlockBytes >> 20), kRounds, kTries);
  std::printf("  %-28s %-6s %7s %9s %9s  %-12s %7s\n", "", "ratio", "median", "noise +-", "goal", "verdict", "A/A");
  bool ok = true;
  for (const Row& row : rows) PrintRow(row, ok);
  bench::RatioSummary create = bench::Summarise(create_ratios);
  std::printf("  %-28s %-6s %7.3f %9.3f %9s\n", "(create alone)", "time", create.median, create.band, "-");
  std::printf("  (whole test, mean of the rounds' fastest: ours %.2f ms, reference %.2f ms; A/A: the reference\n"
              "   against a copy of itself, which widens the noise band by how far it strays from 1)\n",
              ours_whole / kRounds * 1e3, reference_whole / kRounds * 1e3);
  std::printf("  (per phase, ms, ours/reference:");
  for (int phase = 0; phase < kPhases; ++phase)
    std::printf(" %s %.3f/%.3f%s", kPhaseNames[phase], ours_phase[phase] / kRounds * 1e3,
                reference_phase[phase] / kRounds * 1e3, phase + 1 < kPhases ? "," : ")\n");
  return ok;
}

// The whole test on each side, as Google Benchmark times it, for a first look.
const bench::ScratchFolder* the_folder = nullptr;

void BM_WholeDiskTest_Ours(benchmark::State& state) {
  for (auto _ : state) RunOurs(*the_folder, static_cast<std::int32_t>(state.range(0)), 1);
}
BENCHMARK(BM_WholeDiskTest_Ours)->Arg(1024)->Unit(benchmark::kMillisecond);

void BM_WholeDiskTest_Reference(benchmark::State& state) {
  for (auto _ : state) RunReference(*the_folder, static_cast<std::int32_t>(state.range(0)), 1);
}
BENCHMARK(BM_WholeDiskTest_Reference)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench::ScratchFolder folder;
  the_folder = &folder;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  bool ok = true;
  for (std::int32_t blocks : kBlockCounts) ok = CompareAt(folder, blocks) && ok;
  if (!ok) std::printf("FAILED: our disk test misses a goal against the plain C loop by more than the noise\n");
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
