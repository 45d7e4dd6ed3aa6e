// The order matters: everything that can be refused (options, the file to compare with,
// the places to write) is checked before the program starts, so a mistake costs no run
// and writes nothing.
#include "cli/command_line.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "cli/atomic_file.h"
#include "cli/compare.h"
#include "cli/disk_failure.h"
#include "cli/formats.h"
#include "cli/interrupt.h"
#include "cli/number_text.h"
#include "cli/run_series.h"
#include "cli/usage.h"
#include "engine/run_options.h"

namespace cli {
namespace {

void Say(const std::string& line) { std::fprintf(stderr, "torvex: %s\n", line.c_str()); }

std::string UtcNow() {
  std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string FormatReport(const Report& report, Format format) {
  switch (format) {
    case Format::Csv: return FormatCsv(report);
    case Format::Json: return FormatJson(report);
    default: return FormatText(report);
  }
}

bool WriteAll(std::FILE* stream, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
}

bool WriteAll(int fd, const std::string& text) {
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

// Standard output carries the results and nothing else. The program itself may print (a
// line about a block it could not read, say); while it runs, whatever it prints goes to
// standard error, and the results go to the standard output we started with.
class ResultsOutput {
 public:
  ResultsOutput() {
    std::fflush(stdout);
    fd_ = ::dup(STDOUT_FILENO);
    if (fd_ >= 0) ::dup2(STDERR_FILENO, STDOUT_FILENO);
  }
  ~ResultsOutput() {
    if (fd_ < 0) return;
    std::fflush(stdout);
    ::dup2(fd_, STDOUT_FILENO);
    ::close(fd_);
  }
  bool Write(const std::string& text) { return WriteAll(fd_ >= 0 ? fd_ : STDOUT_FILENO, text); }

 private:
  int fd_ = -1;
};

class Session {
 public:
  Session(const Options& options, const ProgramEntry& entry) : options_(options), driver_(entry) {}

  // Returns the exit status.
  int Run(Report& report) {
    std::string error = driver_.WaitForWindow();
    if (!error.empty()) {
      Say(error);
      return kExitError;
    }
    cli::Session& session = report.session;
    error = driver_.Prepare(options_, session.inputs);
    if (!error.empty()) {
      Say(error);
      return kExitUsage;
    }
    session.date = UtcNow();
    RunSeries(driver_, options_, report, Say);
    if (!session.runs.empty() && session.inputs.blocks != session.inputs.blocksRequested) {
      std::string warning = "blocks " + std::to_string(session.inputs.blocksRequested) +
                            " would not fit the drive; the program ran with " + std::to_string(session.inputs.blocks);
      Say(warning);
      session.warnings.push_back(warning);
    }
    if (!session.runs.empty() && session.inputs.threads != session.inputs.threadsRequested) {
      std::string warning = "threads " + std::to_string(session.inputs.threadsRequested) +
                            " is above the program's limit; it ran with " + std::to_string(session.inputs.threads);
      Say(warning);
      session.warnings.push_back(warning);
    }
    return kExitSuccess;
  }

  bool Screenshot(const std::string& path) { return driver_.Screenshot(path); }
  void End() { driver_.Exit(); }

 private:
  const Options& options_;
  ProgramDriver driver_;
};

// How the run ended, for a script: an interrupted run over everything, then a failed
// benchmark, then a regression beyond --fail-below.
int ExitStatusOf(const Report& report) {
  if (!Complete(report)) return kExitInterrupted;
  if (report.session.anyFailed()) return kExitBenchmarkFailed;
  if (!RegressedBelow(report).empty()) return kExitRegression;
  return kExitSuccess;
}

// Ends the process after Ctrl+C: the program's threads may be parked mid-run, so nothing
// may wait for them, and no destructor may run that would.
[[noreturn]] void EndInterrupted(int status) { std::_Exit(status); }

int RunBenchmarks(const Options& options, const ProgramEntry& entry) {
  Report report;
  if (!options.compare.empty()) {
    Comparison comparison;
    std::string error = LoadComparison(options.compare, comparison);
    if (!error.empty()) {
      Say(error);
      return kExitUsage;
    }
    comparison.failBelow = options.failBelow;
    report.comparison = comparison;
  }
  AtomicFile output, screenshot;
  for (auto [file, path, option] : {std::tuple{&output, &options.output, "--output"},
                                    std::tuple{&screenshot, &options.screenshot, "--screenshot"}}) {
    if (path->empty()) continue;
    std::string error = file->Open(*path);
    if (!error.empty()) {
      Say(std::string(option) + ": " + error);
      return kExitUsage;
    }
  }

  report.state = ReadMachineState();
  // The engine's one run option for the command line; set before the program starts, and
  // never by the window program.
  EngineRunOptions engine;
  engine.bypassFileCache = options.direct;
  SetEngineRunOptions(engine);
  report.cache = options.direct ? CacheMode::Bypassed : CacheMode::System;
  ResultsOutput results;
  // The command line always runs on the virtual screen, whatever display this machine has.
  ::setenv("TORVEX_DISPLAY", "headless", 1);
  // Before the program starts: its scratch-file cleanup must find our handler in place.
  CatchInterrupt();
  Session session(options, entry);
  int status = session.Run(report);
  bool interrupted = status == kExitSuccess && !Complete(report);
  if (interrupted) {
    screenshot.Discard();
  } else if (status == kExitSuccess && !options.screenshot.empty()) {
    if (!session.Screenshot(screenshot.TemporaryPath())) {
      Say("--screenshot: the program's window could not be photographed");
      status = kExitError;
    } else if (std::string error = screenshot.CommitWritten(); !error.empty()) {
      Say("--screenshot: " + error);
      status = kExitError;
    }
  }
  if (!interrupted) session.End();
  if (status != kExitSuccess) return status;

  report.machine = ReadMachineInfo(report.session.inputs.drive);
  for (const std::string& warning : StateWarnings(report.state, report.machine.onlineCores)) {
    Say(warning);
    report.session.warnings.push_back(warning);
  }
  if (report.machine.drive.inMemory)
    Say("drive " + report.session.inputs.drive + " is held in memory (" + report.machine.drive.fileSystem +
        "): its disk figure measures memory");
  for (const cli::Run& run : report.session.runs)
    for (Benchmark b : kBenchmarks)
      if (run.of(b).failed()) Say(std::string(BenchmarkTitle(b)) + " failed: " + run.of(b).failure);
  if (options.direct && std::any_of(report.session.runs.begin(), report.session.runs.end(), [](const cli::Run& run) {
        return IsDirectIoRefusal(run.of(Benchmark::Disk).failure);
      })) {
    std::string fileSystem = report.machine.drive.fileSystem.empty() ? "" : " (" + report.machine.drive.fileSystem + ")";
    std::string warning = "the file system of drive " + report.session.inputs.drive + fileSystem +
                          " refuses direct I/O: --direct cannot measure it";
    Say(warning);
    report.session.warnings.push_back(warning);
  }
  if (interrupted)
    Say(report.session.runs.empty() ? std::string("interrupted before the first measured run completed")
                                    : "interrupted: the results hold the " + std::to_string(report.session.runs.size()) +
                                          " measured " + (report.session.runs.size() == 1 ? "run" : "runs") +
                                          " completed before");
  if (report.comparison) {
    report.comparison->warnings = Differences(report.comparison->context, ToJson(report));
    for (const std::string& warning : report.comparison->warnings) Say("--compare " + report.comparison->file + ": " + warning);
    for (Benchmark b : RegressedBelow(report)) {
      std::optional<Judgement> j = Judge(report, b);
      Say(std::string(BenchmarkTitle(b)) + " is " + FormatFixed(-j->Difference() * 100, 1) + "% slower than " +
          report.comparison->file + ", beyond --fail-below " + FormatSignificant(*report.comparison->failBelow) +
          "% and the noise");
    }
  }

  std::string text = FormatReport(report, options.format);
  status = ExitStatusOf(report);
  if (!options.output.empty()) {
    if (std::string error = output.Commit(text); !error.empty()) {
      Say("--output: " + error);
      status = kExitError;
    }
  } else if (!results.Write(text)) {
    Say("cannot write the results to standard output");
    status = kExitError;
  }
  if (interrupted) EndInterrupted(status == kExitError ? kExitError : kExitInterrupted);
  return status;
}

}  // namespace

int Main(int argc, const char* const* argv, const ProgramEntry& entry) {
  ParseResult parsed = ParseOptions(argc, argv);
  if (!parsed.error.empty()) {
    Say(parsed.error);
    return kExitUsage;
  }
  switch (parsed.options.action) {
    case Action::Help: return WriteAll(stdout, UsageText()) ? kExitSuccess : kExitError;
    case Action::Version: return WriteAll(stdout, VersionText()) ? kExitSuccess : kExitError;
    case Action::Run: return RunBenchmarks(parsed.options, entry);
    default: return entry();
  }
}

}  // namespace cli
