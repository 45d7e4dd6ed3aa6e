// The window program's results line, so that people who collect those lines can add ours.
#include <cstdio>

#include "cli/formats.h"

namespace cli {

std::string ResultsLine(const Inputs& inputs, const Run& run) {
  // The same conversion as SaveResults; the field order puts repeat before blocks.
  int length = std::snprintf(nullptr, 0, "%d,%d,%d,%s,%s,%s,%s\r\n", inputs.threads, inputs.repeat, inputs.blocks,
                             inputs.drive.c_str(), run.of(Benchmark::Dhrystone).text.c_str(),
                             run.of(Benchmark::Whetstone).text.c_str(), run.of(Benchmark::Disk).text.c_str());
  std::string line(static_cast<std::size_t>(length), '\0');
  std::snprintf(line.data(), line.size() + 1, "%d,%d,%d,%s,%s,%s,%s\r\n", inputs.threads, inputs.repeat,
                inputs.blocks, inputs.drive.c_str(), run.of(Benchmark::Dhrystone).text.c_str(),
                run.of(Benchmark::Whetstone).text.c_str(), run.of(Benchmark::Disk).text.c_str());
  return line;
}

std::string FormatCsv(const Report& report) {
  std::string text;
  for (const Run& run : report.session.runs) text += ResultsLine(report.session.inputs, run);
  return text;
}

}  // namespace cli
