// The disk test's phases and driver. Every transfer is one ReadFile or WriteFile of one
// whole block, through the system's file cache unless the run bypasses it (see
// engine/run_options.h); random positions come from the runtime's
// rand, whose sequence simply carries on from test to test. A phase stops at its first
// failed transfer; the first failure of a test is noted for the person, and the rate counts
// only the bytes that really moved.
#include "engine/disknt.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/bench.h"
#include "engine/disk_drive.h"
#include "engine/disk_failure.h"
#include "engine/run_options.h"
#include "engine/status_text.h"
#include "framework/window.h"

namespace {

constexpr const char* kCreateTitle = "Create file";
constexpr const char* kSequentialWriteTitle = "Sequential Write Test";
constexpr const char* kSequentialReadTitle = "Sequential Read Test ";
constexpr const char* kRandomWriteTitle = "Random Write Test    ";
constexpr const char* kRandomReadTitle = "Random Read Test     ";
constexpr const char* kDeleteTitle = "Delete file";

// Module state: set by PrepareDiskTest before the first phase, kept until the next test.
DWORD blocksize = kDiskBlockSize;
BYTE fillchar = kDiskFillChar;
BYTE buffer[kDiskBlockSize];
// An unbuffered file moves whole sectors straight from and to the caller's memory, so its
// buffer must start on a sector boundary; a page boundary suits every drive.
alignas(kDiskUnbufferedAlignment) BYTE unbufferedBuffer[kDiskBlockSize];
BYTE* transfer = buffer;  // the buffer this test moves its blocks through
bool bypassCache = false;
std::int32_t filesize = 0;
char drive[kDiskDriveLength];
char filename[MAX_PATH];
HANDLE fh = INVALID_HANDLE_VALUE;
DWORD createRefusal = NO_ERROR;  // why the drive cannot take the file, found before timing
std::uint64_t bytesMoved = 0;

// The one place the scratch file is opened. It never follows a link: the file written is
// the file GetTempFileNameA made. GetTempFileNameA only makes the file; this open decides
// how every transfer travels.
HANDLE OpenScratchFile(const char* name) {
  DWORD flags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;
  if (bypassCache) flags |= FILE_FLAG_NO_BUFFERING;
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, flags, NULL);
}

// What a transfer phase works with, read from the module state once at its start and kept
// in registers. Where the kernel isolates its page tables, every system call empties the
// address caches and the first touch of each page afterwards pays for finding it again;
// so the transfers of a phase touch no module data at all, and the phase adds what it
// moved to the test's count when it ends.
struct Phase {
  HANDLE file = fh;
  BYTE* data = transfer;
  DWORD size = blocksize;
  std::int32_t blocks = filesize;
  std::uint64_t moved = 0;

  Phase() = default;
  Phase(const Phase&) = delete;
  Phase& operator=(const Phase&) = delete;
  ~Phase() { bytesMoved += moved; }

  void SeekTo(std::int64_t position) const {
    // A failed seek is ignored: the transfer that follows goes ahead where the file stands.
    LONG high = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
    SetFilePointer(file, static_cast<LONG>(static_cast<DWORD>(position)), &high, FILE_BEGIN);
  }

  bool WriteBlock(const char* title) {
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, size, &written, NULL);
    moved += written;
    if (!ok) NoteDiskFailure(title, GetLastError());
    return ok != FALSE;
  }

  // A read that comes back short where the file should hold a whole block means the file
  // is shorter than the test made it: the phase stops there rather than read nothing on.
  bool ReadBlock(const char* title, bool wholeBlockExpected) {
    DWORD read = 0;
    BOOL ok = ReadFile(file, data, size, &read, NULL);
    moved += read;
    if (!ok) {
      NoteDiskFailure(title, GetLastError());
      return false;
    }
    if (read < size && wholeBlockExpected) {
      NoteDiskFailure(title, ERROR_HANDLE_EOF);
      return false;
    }
    return true;
  }

  std::int64_t SeekToRandomBlock() const {
    std::int64_t block = DiskRandomBlock(msvcrt::rand(), blocks);
    SeekTo(block * size);
    return block;
  }
};

}  // namespace

std::int64_t DiskRandomBlock(int draw, std::int32_t fileBlocks) {
  // Formed in 64 bits, so no block count can overflow the product.
  return static_cast<std::int64_t>(draw) * fileBlocks / kDiskRandMax;
}

const char* DiskTestFailure() { return DiskFailureText().c_str(); }

std::uint64_t DiskBytesMoved() { return bytesMoved; }

const void* DiskTransferBuffer() { return transfer; }

void diskio0() {
  filename[0] = 0;
  fh = INVALID_HANDLE_VALUE;
  if (createRefusal != NO_ERROR) {
    NoteDiskFailure(kCreateTitle, createRefusal);
    return;
  }
  // Without a name there is nothing to open: the open would land on an earlier test's path.
  if (GetTempFileNameA(drive, "qztest", 0, filename) == 0) {
    filename[0] = 0;
    NoteDiskFailure(kCreateTitle, GetLastError());
    return;
  }
  fh = OpenScratchFile(filename);
  if (fh == INVALID_HANDLE_VALUE) NoteDiskFailure(kCreateTitle, GetLastError());
}

// The transfer phases are hot, like the platform's file calls and rand: the compiler keeps
// all of them in one stretch of code, so that after each system call a transfer runs
// through as few code pages as a plain loop of system calls does.
[[gnu::hot]] void diskio1() {
  Phase phase;
  phase.SeekTo(0);
  for (std::int32_t i = 0; i < phase.blocks; ++i)
    if (!phase.WriteBlock(kSequentialWriteTitle)) break;
}

[[gnu::hot]] void diskio2() {
  Phase phase;
  phase.SeekTo(0);
  for (std::int32_t i = 0; i < phase.blocks; ++i)
    if (!phase.ReadBlock(kSequentialReadTitle, true)) break;
}

[[gnu::hot]] void diskio3() {
  Phase phase;
  for (std::int32_t i = 0; i < phase.blocks; ++i) {
    phase.SeekToRandomBlock();
    if (!phase.WriteBlock(kRandomWriteTitle)) break;
  }
}

[[gnu::hot]] void diskio4() {
  Phase phase;
  for (std::int32_t i = 0; i < phase.blocks; ++i) {
    // The block one past the end exists only if a random write drew it; reading nothing
    // there is no failure.
    std::int64_t block = phase.SeekToRandomBlock();
    if (!phase.ReadBlock(kRandomReadTitle, block < phase.blocks)) {
      std::printf("DISKIO4: could not read block %d\n", i + 1);
      break;
    }
  }
}

void diskio5() {
  if (fh != INVALID_HANDLE_VALUE) CloseHandle(fh);
  fh = INVALID_HANDLE_VALUE;
  if (filename[0] != 0 && !DeleteFileA(filename)) NoteDiskFailure(kDeleteTitle, GetLastError());
}

void PrepareDiskTest(int blocks, const char* driveText) {
  bypassCache = CurrentEngineRunOptions().bypassFileCache;
  transfer = bypassCache ? unbufferedBuffer : buffer;
  std::memset(transfer, fillchar, blocksize);
  filesize = blocks;
  bytesMoved = 0;
  ClearDiskFailure();
  // The drive text is never cut or guessed at: one that is not a mapped drive's root
  // leaves `drive` empty and fails the create phase.
  createRefusal = CheckDiskDrive(driveText);
  drive[0] = 0;
  if (createRefusal == NO_ERROR) {
    std::snprintf(drive, sizeof drive, "%s", driveText);
    createRefusal = CheckDiskSpace(drive, blocks);
  }
}

CString DoDiskBench(CWnd* dialog, int blocks, int repeat, const char* driveText) {
  PrepareDiskTest(blocks, driveText);
  std::int64_t total = DoBench("I0", kCreateTitle, diskio0, dialog);
  for (int pass = 0; pass < repeat; ++pass) {
    total += DoBench("I1", kSequentialWriteTitle, diskio1, dialog);
    total += DoBench("I2", kSequentialReadTitle, diskio2, dialog);
    total += DoBench("I3", kRandomWriteTitle, diskio3, dialog);
    total += DoBench("I4", kRandomReadTitle, diskio4, dialog);
  }
  total += DoBench("I5", kDeleteTitle, diskio5, dialog);

  std::string line = FormatDiskTotalText(total);
  if (!DiskFailureText().empty()) line += " - " + DiskFailureText();
  SetDlgItemTextA(AfxGetSafeHwnd(dialog), kStatusControlId, line.c_str());
  return CString(FormatRateWhole(DiskRate(bytesMoved, total)).c_str());
}
