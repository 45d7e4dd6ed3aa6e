// The disk test's phases and driver. Every transfer is one ReadFile or WriteFile of one
// whole block, through the system's file cache; random positions come from the runtime's
// rand, whose sequence simply carries on from test to test.
#include "engine/disknt.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/bench.h"
#include "engine/status_text.h"
#include "framework/window.h"

namespace {

// Module state: set by DoDiskBench before the first phase, kept until the next test.
DWORD blocksize = kDiskBlockSize;
BYTE fillchar = kDiskFillChar;
BYTE buffer[kDiskBlockSize];
std::int32_t filesize = 0;
char drive[kDiskDriveLength];
char filename[MAX_PATH];
HANDLE fh = INVALID_HANDLE_VALUE;

bool SeekTo(std::int64_t position) {
  LONG high = static_cast<LONG>(static_cast<std::uint64_t>(position) >> 32);
  DWORD low = SetFilePointer(fh, static_cast<LONG>(static_cast<DWORD>(position)), &high, FILE_BEGIN);
  return low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
}

bool WriteBlock() {
  DWORD written = 0;
  return WriteFile(fh, buffer, blocksize, &written, NULL) != FALSE;
}

bool ReadBlock() {
  DWORD read = 0;
  return ReadFile(fh, buffer, blocksize, &read, NULL) != FALSE;
}

void SeekToRandomBlock() {
  // A failed seek is ignored: the transfer that follows goes ahead where the file stands.
  SeekTo(DiskRandomBlock(msvcrt::rand(), filesize) * blocksize);
}

}  // namespace

std::int64_t DiskRandomBlock(int draw, std::int32_t fileBlocks) {
  // Formed in 64 bits, so no block count can overflow the product.
  return static_cast<std::int64_t>(draw) * fileBlocks / kDiskRandMax;
}

void diskio0() {
  // Without a name there is nothing to open: clearing it keeps the open from landing on an
  // earlier test's path, so a drive that cannot take the file leaves nothing behind anywhere.
  if (GetTempFileNameA(drive, "qztest", 0, filename) == 0) filename[0] = 0;
  fh = CreateFileA(filename, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (fh == INVALID_HANDLE_VALUE) GetLastError();
}

void diskio1() {
  SeekTo(0);
  for (std::int32_t i = 0; i < filesize; ++i)
    if (!WriteBlock()) break;
}

void diskio2() {
  SeekTo(0);
  for (std::int32_t i = 0; i < filesize; ++i)
    if (!ReadBlock()) break;
}

void diskio3() {
  for (std::int32_t i = 0; i < filesize; ++i) {
    SeekToRandomBlock();
    if (!WriteBlock()) break;
  }
}

void diskio4() {
  for (std::int32_t i = 0; i < filesize; ++i) {
    SeekToRandomBlock();
    if (!ReadBlock()) {
      std::printf("DISKIO4: could not read block %d\n", i + 1);
      break;
    }
  }
}

void diskio5() {
  if (fh != INVALID_HANDLE_VALUE) CloseHandle(fh);
  fh = INVALID_HANDLE_VALUE;
  DeleteFileA(filename);
}

void PrepareDiskTest(int blocks, const char* driveText) {
  std::memset(buffer, fillchar, blocksize);
  filesize = blocks;
  std::snprintf(drive, sizeof drive, "%s", driveText != nullptr ? driveText : "");
}

CString DoDiskBench(CWnd* dialog, int blocks, int repeat, const char* driveText) {
  PrepareDiskTest(blocks, driveText);
  std::int64_t total = DoBench("I0", "Create file", diskio0, dialog);
  for (int pass = 0; pass < repeat; ++pass) {
    total += DoBench("I1", "Sequential Write Test", diskio1, dialog);
    total += DoBench("I2", "Sequential Read Test ", diskio2, dialog);
    total += DoBench("I3", "Random Write Test    ", diskio3, dialog);
    total += DoBench("I4", "Random Read Test     ", diskio4, dialog);
  }
  total += DoBench("I5", "Delete file", diskio5, dialog);

  SetDlgItemTextA(AfxGetSafeHwnd(dialog), kStatusControlId, FormatDiskTotalText(total).c_str());
  std::uint64_t fileBytes = blocks > 0 ? static_cast<std::uint64_t>(blocks) * blocksize : 0;
  return CString(FormatRateWhole(DiskRate(fileBytes, repeat, total)).c_str());
}
