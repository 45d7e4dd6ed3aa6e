// After every system call the disk test's next transfer runs through its code again, and
// each code page it touches must be looked up afresh; the disk ratios depend on that path
// staying in one stretch of code (the functions are marked hot). A compiler or an edit
// that scatters it shows here, not as a few percent lost in `make bench`.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "engine/disknt.h"
#include "win32/crt.h"

namespace {

template <typename Function>
std::uintptr_t AddressOf(Function* function) {
  return reinterpret_cast<std::uintptr_t>(function);
}

TEST(TransferCode, TheDiskTestsTransferPathSitsWithinOnePagesLength) {
  const std::uintptr_t starts[] = {AddressOf(diskio1),  AddressOf(diskio2),   AddressOf(diskio3),
                                   AddressOf(diskio4),  AddressOf(ReadFile),  AddressOf(WriteFile),
                                   AddressOf(SetFilePointer), AddressOf(msvcrt::rand)};
  auto [lowest, highest] = std::minmax_element(std::begin(starts), std::end(starts));
  EXPECT_LT(*highest - *lowest, 4096u) << "the transfer calls start " << (*highest - *lowest) << " bytes apart";
}

}  // namespace
