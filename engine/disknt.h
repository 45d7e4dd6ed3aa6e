// The disk benchmark: a scratch file of fixed-size blocks on the chosen drive, created,
// written and read sequentially and at random block positions, and deleted; each phase is
// one timed step. Runs on the GUI thread only, one test at a time.
#pragma once

#include <win32.h>

#include <cstddef>
#include <cstdint>

#include "framework/cstring.h"

class CWnd;

constexpr DWORD kDiskBlockSize = 4096;
constexpr BYTE kDiskFillChar = 0x6D;
constexpr int kDiskDriveLength = 16;  // the drive path, 15 characters and the zero
constexpr int kDiskRandMax = 32767;
// Where the transfer buffer starts when the run bypasses the file cache: a multiple of
// every sector size, as unbuffered transfers need.
constexpr std::size_t kDiskUnbufferedAlignment = 4096;

// Runs the create phase, `repeat` passes of the four transfer phases (none if repeat <= 0)
// and the delete phase on a file of `blocks` blocks in `drive`, and returns the Kbyte/s
// rate as "%d": the bytes the transfer phases really moved over the total time. The status
// line then shows the total time, followed by " - " and the failure when a phase stopped
// on one (see DiskTestFailure).
CString DoDiskBench(CWnd* dialog, int blocks, int repeat, const char* drive);

// Why the last disk test fell short, exactly as its status line showed it after the total
// time: the title of the first phase that stopped on a failure and the system's sentence
// for it ("Create file: The system cannot find the drive specified."). Empty when every
// phase succeeded. Valid until the next test starts.
const char* DiskTestFailure();

// The bytes the transfer phases moved since the last PrepareDiskTest.
std::uint64_t DiskBytesMoved();

// Sets the module state the phases work on: the buffer's fill, the block count, the drive
// and whether the file cache is bypassed (EngineRunOptions, read here), and forgets the
// last failure and moved bytes. A drive that is not a mapped drive's
// root, or one the file would not fit, is noted here and fails the create phase.
// DoDiskBench does this before its first phase.
void PrepareDiskTest(int blocks, const char* drive);

// The phase kernels; they work on the module state that PrepareDiskTest sets.
void diskio0();  // create the scratch file and open it
void diskio1();  // write every block in order
void diskio2();  // read every block in order
void diskio3();  // write blocks at random positions
void diskio4();  // read blocks at random positions
void diskio5();  // close and delete the scratch file

// The block a random draw (0 ... kDiskRandMax) selects in a file of fileBlocks blocks:
// 0 ... fileBlocks inclusive, so the largest draw lands one block past the end.
std::int64_t DiskRandomBlock(int draw, std::int32_t fileBlocks);

// The memory the phases move blocks through, as PrepareDiskTest chose it.
const void* DiskTransferBuffer();
