// The integer benchmark: Dhrystone version 2, one call of `dhry` making 200000 runs.
// The two records and the global arrays are process-wide and shared by every thread that
// runs the kernel at the same time. All of them are touched only through relaxed atomic
// loads and stores (std::atomic_ref), so concurrent calls are free of data races while a
// single call still compiles to the plain loads and stores of the classic program.
#pragma once

#include <cstdint>

#include "engine/kernel_support.h"

// One call of the kernel: the one-time set-up of the records (first call in the process
// only, exactly once however many threads start together), then kDhryRunsPerCall runs.
void dhry();

constexpr int kDhryRunsPerCall = 200000;
constexpr int kDhryArraySize = 50;
constexpr int kDhryStringLength = 31;  // 30 characters and the terminating zero

enum Enumeration : std::int32_t { Ident_1, Ident_2, Ident_3, Ident_4, Ident_5 };
typedef std::int32_t Boolean;
typedef char Str_30[kDhryStringLength];
typedef std::int32_t Arr_1_Dim[kDhryArraySize];
typedef std::int32_t Arr_2_Dim[kDhryArraySize][kDhryArraySize];

// A record's text. It is kept as four 64-bit words (31 characters, the zero and one spare
// byte) so that the record copy of every run is four relaxed word moves rather than 31
// byte moves; the characters are packed and unpacked only at set-up and when read back.
struct DhryText {
  std::uint64_t words[4];
};

// Aligned to 16 bytes so that the record assignment of every run can move it in four
// aligned 16-byte pieces (see CopyRecord in dpack1.cpp); the size is then 64 bytes.
struct alignas(16) Record {
  Record* Ptr_Comp;
  Enumeration Discr;
  Enumeration Enum_Comp;
  std::int32_t Int_Comp;
  DhryText Str_Comp;
};
typedef Record* Rec_Pointer;

// Process-wide kernel state. The records are set by the first call; read them only while
// no call is running (for instance after the threads that ran the kernel have ended).
extern Rec_Pointer Ptr_Glob;
extern Rec_Pointer Next_Ptr_Glob;
extern Boolean Bool_Glob;
extern Arr_1_Dim Arr_1_Glob;
extern Arr_2_Dim Arr_2_Glob;

void DhryTextStore(DhryText* text, const char* characters);  // relaxed, stops at 30 characters
void DhryTextLoad(const DhryText* text, Str_30 characters);   // relaxed, always terminated

// The locals of the last call made on the calling thread, as the call left them. They make
// the call's own work observable, so no part of a run can be dropped as unused.
struct DhryCallValues {
  std::int32_t Int_Glob;
  char Ch_1_Glob;
  char Ch_2_Glob;
  std::int32_t Int_1_Loc;
  std::int32_t Int_2_Loc;
  std::int32_t Int_3_Loc;
  Enumeration Enum_Loc;
  Str_30 Str_1_Loc;
  Str_30 Str_2_Loc;
};
const DhryCallValues& DhryLastCallValues();

// The procedures of the second unit (dpack2). The first unit only ever calls them: the
// kernels are built without link-time optimisation, so no call crosses into the main loop,
// while inside dpack2 the compiler treats them as the classic program's compiler did.
void Proc_6(Enumeration Enum_Val_Par, Enumeration* Enum_Ref_Par, std::int32_t Int_Glob);
void Proc_7(std::int32_t Int_1_Par_Val, std::int32_t Int_2_Par_Val, std::int32_t* Int_Par_Ref);
void Proc_8(Arr_1_Dim Arr_1_Par_Ref, Arr_2_Dim Arr_2_Par_Ref, std::int32_t Int_1_Par_Val, std::int32_t Int_2_Par_Val,
            std::int32_t Int_Glob);
Enumeration Func_1(char Ch_1_Par_Val, char Ch_2_Par_Val, char Ch_1_Glob);
Boolean Func_2(const Str_30 Str_1_Par_Ref, const Str_30 Str_2_Par_Ref, char Ch_1_Glob, std::int32_t Int_Glob);
Boolean Func_3(Enumeration Enum_Par_Val);
