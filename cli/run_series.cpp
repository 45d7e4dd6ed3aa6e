#include "cli/run_series.h"

#include <cstdio>

#include "cli/interrupt.h"
#include "cli/number_text.h"

namespace cli {
namespace {

RunEvents EventsFor(const Options& options, const std::string& prefix, Session& session,
                    const std::function<void(const std::string&)>& warn) {
  RunEvents events;
  if (!options.quiet)
    events.status = [prefix](const StatusLine& line) {
      std::fprintf(stderr, "%s%8s s  %s\n", prefix.c_str(), FormatFixed(line.seconds, 2).c_str(), line.text.c_str());
    };
  // A disk test under way may take a while to reach its delete phase; say why nothing ends yet.
  events.stopping = [] {
    std::fprintf(stderr, "torvex: Ctrl+C: stopping at the next step outside a disk test, whose scratch file "
                         "is removed first\n");
  };
  events.programSaid = [&session, warn](const std::string& said) {
    std::string warning = "the program said \"" + said + "\"";
    warn(warning);
    session.warnings.push_back(warning);
  };
  return events;
}

}  // namespace

void RunSeries(ProgramDriver& driver, const Options& options, Report& report,
               const std::function<void(const std::string&)>& warn) {
  report.plan = PlanOf(options);
  const RunPlan& plan = report.plan;
  Session& session = report.session;
  driver.StopOnInterrupt();
  bool several = plan.autoRuns || plan.runs > 1 || plan.warmup > 0;
  std::string of = plan.autoRuns ? "auto" : std::to_string(plan.runs);

  for (int i = 0; i < plan.warmup; ++i) {
    if (Interrupted()) {
      report.stopped = StopReason::Interrupted;
      return;
    }
    std::string prefix = "warm-up " + std::to_string(i + 1) + "/" + std::to_string(plan.warmup) + "  ";
    std::optional<Run> run =
        driver.RunWithBlocks(EventsFor(options, prefix, session, warn), session.inputs, report.warmup.blocks);
    if (!run) {
      report.stopped = StopReason::Interrupted;
      return;
    }
    report.warmup.runs.push_back(*run);
  }
  while (true) {
    if (std::optional<StopReason> stop = StopAfter(plan, session.runs)) {
      report.stopped = *stop;
      return;
    }
    std::string prefix = several ? "run " + std::to_string(session.runs.size() + 1) + "/" + of + "  " : "";
    std::optional<Run> run = Interrupted() ? std::nullopt
                                           : driver.RunOnce(EventsFor(options, prefix, session, warn), session.inputs);
    if (!run) {
      report.stopped = StopReason::Interrupted;
      return;
    }
    session.runs.push_back(*run);
  }
}

}  // namespace cli
