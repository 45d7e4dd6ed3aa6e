// The runs of one session: the warm-up runs, discarded, then the measured runs until the
// plan is done or Ctrl+C comes. Status lines go to standard error as they appear, each
// with the run it belongs to.
#pragma once

#include <functional>
#include <string>

#include "cli/program_driver.h"
#include "cli/report.h"

namespace cli {

// Fills report.plan, report.warmup, report.session.runs and report.stopped. `warn` gets
// each thing the program said (its message boxes), one line each.
void RunSeries(ProgramDriver& driver, const Options& options, Report& report,
               const std::function<void(const std::string&)>& warn);

}  // namespace cli
