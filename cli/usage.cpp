#include "cli/usage.h"

#include "cli/options.h"
#include "cli/report.h"
#include "cli/version.h"

namespace cli {

std::string UsageText() {
  return R"(Usage: torvex                 start the benchmark window
       torvex --run [OPTION]...  run the benchmarks without a person and print the results

Runs the very program of the window on a screen of its own: types the inputs into its
fields, picks the drive, chooses Run! and reads the results back.

Options of --run (defaults: what the window shows at start):
  --threads N        worker threads for the processor tests (1 to 2147483647; the program
                     caps more than 63 at 63 and says so)
  --blocks N         4096-byte blocks of the disk test's scratch file (1 to 2147483647)
  --repeat N         passes of each test (1 to 2147483647)
  --drive X:         the drive of the disk test, one of the window's drive list
  --runs K           run K times in one process and add the median, minimum, maximum and
                     coefficient of variation (1 to 1000); auto: repeat (3 to 10 runs)
                     until every cv is below 3%, and say whether that or the limit ended it
  --warmup N         discard N runs first, their disk test with 1 block (0 to 100; default
                     1 when there is more than one run, else 0)
  --format F         text, csv (the program's results line, one per run) or json
  --output FILE      write the results to FILE instead of standard output; FILE is
                     replaced only by a complete result
  --screenshot FILE  write a PNG of the main window after the last run
  --compare FILE     compare with a result saved earlier with --format json: a change
                     counts only beyond the noise of both (a single run's is taken as 3%);
                     warns where version, inputs, cache mode or machine differ
  --fail-below PCT   with --compare: exit 4 when a benchmark is slower by more than PCT
                     percent and beyond the noise
  --quiet            do not print the status lines on standard error
  --direct           run the disk test with the system's file cache bypassed, so its
                     figure is the drive's; a file system that refuses that fails the
                     disk test rather than give a cached figure

  --help             print this text
  --version          print the program's version

Options take their value as --opt=value or --opt value.
Exit status: 0 success, 2 a bad option or value, 3 a benchmark failed, 4 slower than
--fail-below allows, 130 interrupted by Ctrl+C (the completed runs are printed, marked
incomplete).
)";
}

std::string VersionText() { return std::string("torvex (") + kProgramName + ") " + kVersion + "\n"; }

}  // namespace cli
