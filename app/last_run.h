// The inputs and result texts of the last completed run, and the results line they make.
#pragma once

#include <win32.h>

#include "framework/cstring.h"

// Room for a drive text such as "c:" and its zero.
constexpr int kDriveSpecSize = 4;

struct BenchRunRecord {
  INT threadCount = 0;  // after the thread limit
  INT blockCount = 0;
  INT repeatCount = 0;
  char driveSpec[kDriveSpecSize] = {};
  CString dhrystone;
  CString whetstone;
  CString disk;
};

// Written only at the end of a completed run; zeros and empty texts before the first.
extern BenchRunRecord LastRun;

// The results file's default path: 260 characters, zero-filled behind the text. No
// command opens it; it stays as it is for the life of the program.
extern char CurrentFile[MAX_PATH];

// The results line's buffer, and its format: threads, repeat, blocks, drive, and the
// three result texts, with a carriage return and line feed.
constexpr int kResultsLineSize = 100;
constexpr char kResultsLineFormat[] = "%d,%d,%d,%s,%s,%s,%s\r\n";

// The results line of a run, cut to the buffer if it could ever be longer. Returns its
// length in characters.
int FormatResultsLine(const BenchRunRecord& run, char (&line)[kResultsLineSize]);

// Writes LastRun's results line at the file's current position. The caller opens,
// positions and closes the file; a failed write is not reported.
void SaveResults(HANDLE hFile);
