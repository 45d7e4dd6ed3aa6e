// The disk benchmark: a scratch file of fixed-size blocks on the chosen drive, created,
// written and read sequentially and at random block positions, and deleted; each phase is
// one timed step. Runs on the GUI thread only, one test at a time.
#pragma once

#include <win32.h>

#include <cstdint>

#include "framework/cstring.h"

class CWnd;

constexpr DWORD kDiskBlockSize = 4096;
constexpr BYTE kDiskFillChar = 0x6D;
constexpr int kDiskDriveLength = 16;  // the drive path, 15 characters and the zero
constexpr int kDiskRandMax = 32767;

// Runs the create phase, `repeat` passes of the four transfer phases (none if repeat <= 0)
// and the delete phase on a file of `blocks` blocks in `drive`, shows the total time in the
// status line and returns the Kbyte/s rate as "%d".
CString DoDiskBench(CWnd* dialog, int blocks, int repeat, const char* drive);

// Sets the module state the phases work on: the buffer's fill, the block count and the
// drive (cut to 15 characters). DoDiskBench does this before its first phase.
void PrepareDiskTest(int blocks, const char* drive);

// The phase kernels; they work on the module state that DoDiskBench sets.
void diskio0();  // create the scratch file and open it
void diskio1();  // write every block in order
void diskio2();  // read every block in order
void diskio3();  // write blocks at random positions
void diskio4();  // read blocks at random positions
void diskio5();  // close and delete the scratch file

// The block a random draw (0 ... kDiskRandMax) selects in a file of fileBlocks blocks:
// 0 ... fileBlocks inclusive, so the largest draw lands one block past the end.
std::int64_t DiskRandomBlock(int draw, std::int32_t fileBlocks);
