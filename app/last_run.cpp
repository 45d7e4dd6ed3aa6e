// The kept run and its results line. The line uses only %d and %s, so a locale's decimal
// comma never enters it; the result texts are written exactly as the drivers made them.
#include "app/last_run.h"

#include <cstdio>

BenchRunRecord LastRun;
char CurrentFile[MAX_PATH] = "C:\\QUIRVEL.DAT";

int FormatResultsLine(const BenchRunRecord& run, char (&line)[kResultsLineSize]) {
  const int wanted = std::snprintf(line, sizeof line, kResultsLineFormat, run.threadCount,
                                   run.repeatCount, run.blockCount, run.driveSpec,
                                   static_cast<const char*>(run.dhrystone),
                                   static_cast<const char*>(run.whetstone),
                                   static_cast<const char*>(run.disk));
  if (wanted < 0) {
    line[0] = '\0';
    return 0;
  }
  return wanted < kResultsLineSize ? wanted : kResultsLineSize - 1;
}

void SaveResults(HANDLE hFile) {
  char line[kResultsLineSize];
  const int length = FormatResultsLine(LastRun, line);
  DWORD written = 0;
  WriteFile(hFile, line, static_cast<DWORD>(length), &written, nullptr);
}
