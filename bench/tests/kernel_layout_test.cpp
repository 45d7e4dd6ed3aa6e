// The integer kernel's ratio against its classic compile moves by several percent with where
// the linker puts the code and the shared data. So both sides' Dhrystone units start every
// function on a 64-byte line, and ours gives each piece of shared state lines of its own. A
// build change that drops either shows here, not as a ratio drifting in `make bench`.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/dhry.h"
#include "dhry_ref.h"

extern "C" void ref_Proc_8(int*, int (*)[50], int, int, int);

namespace {

constexpr std::uintptr_t kLine = 64;

template <typename T>
std::uintptr_t LineOffset(T* place) {
  return reinterpret_cast<std::uintptr_t>(place) % kLine;
}

TEST(KernelLayout, BothDhrystoneCompilesStartTheirFunctionsOnALine) {
  EXPECT_EQ(LineOffset(dhry), 0u);
  EXPECT_EQ(LineOffset(Proc_8), 0u);
  EXPECT_EQ(LineOffset(Func_2), 0u);
  EXPECT_EQ(LineOffset(ref_dhry), 0u) << "the classic compile must get the same alignment as ours";
  EXPECT_EQ(LineOffset(ref_Proc_8), 0u) << "the classic compile must get the same alignment as ours";
}

TEST(KernelLayout, EachPieceOfSharedStateStartsItsOwnLine) {
  dhry();
  EXPECT_EQ(LineOffset(&Ptr_Glob), 0u);
  EXPECT_EQ(LineOffset(&Next_Ptr_Glob), 0u);
  EXPECT_EQ(LineOffset(&Bool_Glob), 0u);
  EXPECT_EQ(LineOffset(Arr_1_Glob), 0u);
  EXPECT_EQ(LineOffset(Arr_2_Glob), 0u);
  EXPECT_EQ(LineOffset(Ptr_Glob), 0u);
  EXPECT_EQ(LineOffset(Next_Ptr_Glob), 0u);
}

}  // namespace
