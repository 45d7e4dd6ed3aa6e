// File handles: CreateFileA, ReadFile, WriteFile, SetFilePointer, GetFileSize and
// DeleteFileA over host file descriptors. Each handle has its own descriptor and so its
// own file pointer, as each Win32 open does.
//
// A transfer costs one handle look-up and one system call and takes no lock of its own:
// the host already moves a descriptor's file pointer atomically for read, write and
// lseek, also between threads sharing the descriptor, so every SetFilePointer move is a
// single lseek too (relative moves with SEEK_CUR/SEEK_END, never "read, add, set").
//
// FILE_FLAG_NO_BUFFERING is the host's direct I/O (O_DIRECT): transfers go between the
// caller's memory and the device, bypassing the page cache, with the same demands Win32
// makes (buffer, size and position aligned; anything else fails ERROR_INVALID_PARAMETER).
// Nothing is flushed after a write and O_SYNC is not added: the device's own cache is
// the device's business, as it is for an unbuffered file on Windows.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <limits>

#include "kernel/drive_table.h"
#include "kernel/file_errors.h"
#include "kernel/file_sharing.h"
#include "kernel/kernel_object.h"
#include "kernel/last_error.h"
#include "kernel/recent_file.h"
#include "kernel/scratch_files.h"

namespace win32::kernel {
namespace {

class FileObject : public KernelObject {
 public:
  FileObject(int descriptor, DWORD access, std::string host_path, bool delete_on_close)
      : descriptor_(descriptor), access_(access), host_path_(std::move(host_path)),
        delete_on_close_(delete_on_close) {}
  ~FileObject() override { ::close(descriptor_); }

  // Sharing ends and a delete-on-close file goes when the handle is closed, even if a
  // thread still holds the object (and so the descriptor) for a moment longer.
  void closed() override;

  int descriptor() const { return descriptor_; }
  DWORD access() const { return access_; }
  bool may_read() const { return access_ & (GENERIC_READ | GENERIC_ALL); }
  bool may_write() const { return access_ & (GENERIC_WRITE | GENERIC_ALL); }
  const std::string& host_path() const { return host_path_; }
  ShareClaim& claim() { return claim_; }

 private:
  const int descriptor_;
  const DWORD access_;
  const std::string host_path_;
  const bool delete_on_close_;
  ShareClaim claim_;
};

// What a call needs of its file. From this thread's remembered entry it comes without
// touching the object; the object is reached only on the way to an error.
struct OpenFile {
  FileObject* object = nullptr;  // null: not a live file handle (ERROR_INVALID_HANDLE set)
  int descriptor = -1;
  DWORD access = 0;
  explicit operator bool() const { return object != nullptr; }
  bool may_read() const { return access & (GENERIC_READ | GENERIC_ALL); }
  bool may_write() const { return access & (GENERIC_WRITE | GENERIC_ALL); }
};

// A handle this thread has not used last: the table's look-up, then remembered.
[[gnu::noinline]] OpenFile find_and_remember_file(HANDLE handle) {
  std::shared_ptr<FileObject> file = find_kernel_object<FileObject>(handle);
  if (!file) return OpenFile{};
  OpenFile found{file.get(), file->descriptor(), file->access()};
  remember_file(handle, found.descriptor, found.access, std::move(file));
  return found;
}

// The file behind a handle; it stays valid until this thread's next look-up. The common
// case, this thread's last file, is inlined into each call; the table is out of line.
// The transfer calls are marked hot, which gathers them with the disk test's loops into one
// stretch of code: after a system call every code page run through must be looked up again.
inline OpenFile find_file(HANDLE handle) {
  if (const RecentFile* recent = recall_file(handle))
    return OpenFile{static_cast<FileObject*>(recent->object), recent->descriptor, recent->access};
  return find_and_remember_file(handle);
}

void FileObject::closed() {
  forget_file(this);
  claim_.release();
  if (delete_on_close_) ::unlink(host_path_.c_str());
}

int open_flags_for(DWORD access) {
  bool read = access & (GENERIC_READ | GENERIC_ALL);
  bool write = access & (GENERIC_WRITE | GENERIC_ALL);
  int flags = O_CLOEXEC;
  if (read && write)
    flags |= O_RDWR;
  else if (write)
    flags |= O_WRONLY;
  else
    flags |= O_RDONLY;
  return flags;
}

struct OpenResult {
  int descriptor = -1;
  bool existed = false;
  int error_number = 0;
};

// Opens per disposition. For the "always" dispositions an open of an existing file comes
// first (the disk test opens the file GetTempFileNameA has just made), then an exclusive
// create; either way the caller knows whether the file was there (ERROR_ALREADY_EXISTS)
// without a race.
OpenResult open_for_disposition(const std::string& path, int flags, DWORD disposition) {
  constexpr mode_t kNewFileMode = 0666;
  constexpr int kAttempts = 8;  // a file created or deleted between the two opens is tried again
  OpenResult result;
  bool may_create = disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
  bool may_open = disposition != CREATE_NEW;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (may_open) {
      result.descriptor = ::open(path.c_str(), flags);
      if (result.descriptor >= 0) {
        result.existed = true;
        break;
      }
      if (errno != ENOENT || !may_create) break;
    }
    result.descriptor = ::open(path.c_str(), flags | O_CREAT | O_EXCL, kNewFileMode);
    if (result.descriptor >= 0 || errno != EEXIST || !may_open) break;
  }
  if (result.descriptor < 0) result.error_number = errno;
  return result;
}

HANDLE fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

// Switches an open descriptor to direct I/O. A file system without it (ramfs, some
// network and user-space file systems) refuses with EINVAL: the request is not supported
// there, and the caller gets no quietly cached file instead.
DWORD bypass_cache(int descriptor, const std::string& host_path) {
  int status = ::fcntl(descriptor, F_GETFL);
  if (status < 0 || ::fcntl(descriptor, F_SETFL, status | O_DIRECT) != 0)
    return errno == EINVAL ? ERROR_NOT_SUPPORTED : error_from_errno(errno, host_path);
  return NO_ERROR;
}

}  // namespace
}  // namespace win32::kernel

using namespace win32::kernel;

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile) {
  if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING) return fail(ERROR_INVALID_PARAMETER);
  if (dwCreationDisposition == TRUNCATE_EXISTING && !(dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL)))
    return fail(ERROR_INVALID_PARAMETER);
  // Every transfer here completes before the call returns; there is no overlapped I/O.
  if (dwFlagsAndAttributes & FILE_FLAG_OVERLAPPED) return fail(ERROR_NOT_SUPPORTED);
  HostPath host = to_host_path(lpFileName);
  if (host.error != NO_ERROR) return fail(host.error);

  // A temporary file this process made is opened only as the file it made: never through
  // a link, and not when another file has taken its name since.
  FileIdentity made{};
  bool temp_file = remembered_temp_file(host.path, made);
  int flags = open_flags_for(dwDesiredAccess);
  if (temp_file || (dwFlagsAndAttributes & FILE_FLAG_OPEN_REPARSE_POINT)) flags |= O_NOFOLLOW;
  OpenResult opened = open_for_disposition(host.path, flags, dwCreationDisposition);
  if (opened.descriptor < 0) return fail(error_from_errno(opened.error_number, host.path));
  struct stat info;
  if (::fstat(opened.descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(opened.descriptor);
    return fail(ERROR_ACCESS_DENIED);
  }
  if (temp_file && FileIdentity{info.st_dev, info.st_ino} != made) {
    ::close(opened.descriptor);
    if (!opened.existed) ::unlink(host.path.c_str());  // made just now by this open
    return fail(ERROR_FILE_NOT_FOUND);
  }
  // Switched after the open rather than asked of it: the host would create a new file
  // before refusing O_DIRECT, and a refused open must leave nothing behind.
  if (dwFlagsAndAttributes & FILE_FLAG_NO_BUFFERING) {
    if (DWORD error = bypass_cache(opened.descriptor, host.path); error != NO_ERROR) {
      ::close(opened.descriptor);
      if (!opened.existed) ::unlink(host.path.c_str());
      return fail(error);
    }
  }
  auto file = std::make_shared<FileObject>(opened.descriptor, dwDesiredAccess, host.path,
                                           (dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0);
  // The share check comes before truncation, so a refused open leaves the file intact.
  if (!file->claim().try_register(FileIdentity{info.st_dev, info.st_ino}, dwDesiredAccess, dwShareMode))
    return fail(ERROR_SHARING_VIOLATION);
  bool truncate = dwCreationDisposition == TRUNCATE_EXISTING || (dwCreationDisposition == CREATE_ALWAYS && opened.existed);
  if (truncate) {
    int result = file->may_write() ? ::ftruncate(file->descriptor(), 0) : ::truncate(host.path.c_str(), 0);
    if (result != 0) return fail(error_from_errno(errno, host.path));
  }
  HANDLE handle = insert_kernel_object(file);
  if (!handle) return fail(ERROR_TOO_MANY_OPEN_FILES);
  bool reopened = opened.existed && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
  SetLastError(reopened ? ERROR_ALREADY_EXISTS : NO_ERROR);
  return handle;
}

[[gnu::hot]] BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                                  LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  OpenFile file = find_file(hFile);
  if (!file) return FALSE;
  if (lpNumberOfBytesRead == nullptr || lpOverlapped != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpNumberOfBytesRead = 0;
  if (!file.may_read()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (lpBuffer == nullptr && nNumberOfBytesToRead > 0) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  auto* bytes = static_cast<char*>(lpBuffer);
  DWORD total = 0;
  // Reading at or past the end gives 0 bytes and success: that is how callers see EOF.
  while (total < nNumberOfBytesToRead) {
    ssize_t n = ::read(file.descriptor, bytes + total, nNumberOfBytesToRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *lpNumberOfBytesRead = total;
      SetLastError(error_from_errno(errno, file.object->host_path()));
      return FALSE;
    }
    if (n == 0) break;
    total += static_cast<DWORD>(n);
  }
  *lpNumberOfBytesRead = total;
  return TRUE;
}

[[gnu::hot]] BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                   LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  OpenFile file = find_file(hFile);
  if (!file) return FALSE;
  if (lpNumberOfBytesWritten == nullptr || lpOverlapped != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpNumberOfBytesWritten = 0;
  if (!file.may_write()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (lpBuffer == nullptr && nNumberOfBytesToWrite > 0) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  const auto* bytes = static_cast<const char*>(lpBuffer);
  DWORD total = 0;
  // Writing after a seek past the end grows the file; the gap reads back as zeros.
  while (total < nNumberOfBytesToWrite) {
    ssize_t n = ::write(file.descriptor, bytes + total, nNumberOfBytesToWrite - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      *lpNumberOfBytesWritten = total;
      SetLastError(n < 0 ? error_from_errno(errno, file.object->host_path()) : ERROR_DISK_FULL);
      return FALSE;
    }
    total += static_cast<DWORD>(n);
  }
  *lpNumberOfBytesWritten = total;
  return TRUE;
}

[[gnu::hot]] DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                                         DWORD dwMoveMethod) {
  OpenFile file = find_file(hFile);
  if (!file) return INVALID_SET_FILE_POINTER;
  // Without a high part the distance is a signed 32-bit value; with one, the two halves
  // form a signed 64-bit distance.
  long long distance = lDistanceToMove;
  if (lpDistanceToMoveHigh)
    distance = static_cast<long long>((static_cast<unsigned long long>(static_cast<DWORD>(*lpDistanceToMoveHigh)) << 32) |
                                      static_cast<DWORD>(lDistanceToMove));
  // A caller without a high part cannot see a position of 4 GB or more.
  const long long limit = lpDistanceToMoveHigh ? std::numeric_limits<off_t>::max()
                                               : static_cast<long long>(INVALID_SET_FILE_POINTER) - 1;
  int whence;
  switch (dwMoveMethod) {
    case FILE_BEGIN:
      whence = SEEK_SET;
      break;
    case FILE_CURRENT:
      whence = SEEK_CUR;
      break;
    case FILE_END:
      whence = SEEK_END;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_SET_FILE_POINTER;
  }
  if (whence == SEEK_SET && (distance < 0 || distance > limit)) {
    SetLastError(distance < 0 ? ERROR_NEGATIVE_SEEK : ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  // A move from the end that would pass the limit is refused before it is made: taking it
  // back afterwards could not find the old position.
  if (whence == SEEK_END) {
    struct stat info;
    if (::fstat(file.descriptor, &info) == 0 && distance > limit - static_cast<long long>(info.st_size)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return INVALID_SET_FILE_POINTER;
    }
  }
  // The host refuses a move before the start with EINVAL and leaves the pointer alone.
  off_t position = ::lseek(file.descriptor, static_cast<off_t>(distance), whence);
  if (position < 0) {
    SetLastError(errno == EINVAL ? ERROR_NEGATIVE_SEEK : error_from_errno(errno, file.object->host_path()));
    return INVALID_SET_FILE_POINTER;
  }
  if (position > limit) {
    // A move from the current position gets here (or one from the end of a file that
    // another thread grew meanwhile); it is taken back the same way, relatively, so a
    // transfer on another thread in between keeps its effect.
    ::lseek(file.descriptor, -static_cast<off_t>(distance), SEEK_CUR);
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<unsigned long long>(position) >> 32);
  // A position whose low half is 0xFFFFFFFF is told apart from failure by this.
  set_last_error(NO_ERROR);
  return static_cast<DWORD>(position);
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  OpenFile file = find_file(hFile);
  if (!file) return INVALID_FILE_SIZE;
  struct stat info;
  if (::fstat(file.descriptor, &info) != 0) {
    SetLastError(error_from_errno(errno, file.object->host_path()));
    return INVALID_FILE_SIZE;
  }
  auto size = static_cast<unsigned long long>(info.st_size);
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(size);
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  HostPath host = to_host_path(lpFileName);
  if (host.error != NO_ERROR) {
    SetLastError(host.error);
    return FALSE;
  }
  struct stat info;
  if (::lstat(host.path.c_str(), &info) != 0) {
    if (errno == ENOENT) forget_temp_file(host.path);  // removed behind our back
    SetLastError(error_from_errno(errno, host.path));
    return FALSE;
  }
  if (S_ISDIR(info.st_mode)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!file_may_be_deleted(FileIdentity{info.st_dev, info.st_ino})) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  if (::unlink(host.path.c_str()) != 0) {
    SetLastError(error_from_errno(errno, host.path));
    return FALSE;
  }
  forget_temp_file(host.path);
  return TRUE;
}
