// Dhrystone, second unit: Proc_6 ... Proc_8 and Func_1 ... Func_3. Anything reached through
// a pointer may be a shared record or array, so it is read and written relaxed-atomically.
#include <cstring>

#include "engine/dhry.h"

namespace {

// The run counter in Arr_2_Glob grows without end and must wrap, not overflow.
std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace

void Proc_6(Enumeration Enum_Val_Par, Enumeration* Enum_Ref_Par, std::int32_t Int_Glob) {
  RelaxedStore(*Enum_Ref_Par, Enum_Val_Par);
  if (!Func_3(Enum_Val_Par)) RelaxedStore(*Enum_Ref_Par, Ident_4);
  switch (Enum_Val_Par) {
    case Ident_1:
      RelaxedStore(*Enum_Ref_Par, Ident_1);
      break;
    case Ident_2:
      RelaxedStore(*Enum_Ref_Par, Int_Glob > 100 ? Ident_1 : Ident_4);
      break;
    case Ident_3:
      RelaxedStore(*Enum_Ref_Par, Ident_2);
      break;
    case Ident_4:
      break;
    case Ident_5:
      RelaxedStore(*Enum_Ref_Par, Ident_3);
      break;
  }
}

void Proc_7(std::int32_t Int_1_Par_Val, std::int32_t Int_2_Par_Val, std::int32_t* Int_Par_Ref) {
  std::int32_t Int_Loc = WrappingAdd(Int_1_Par_Val, 2);
  RelaxedStore(*Int_Par_Ref, WrappingAdd(Int_2_Par_Val, Int_Loc));
}

void Proc_8(Arr_1_Dim Arr_1_Par_Ref, Arr_2_Dim Arr_2_Par_Ref, std::int32_t Int_1_Par_Val,
            std::int32_t Int_2_Par_Val, std::int32_t Int_Glob) {
  std::int32_t Int_Loc = Int_1_Par_Val + 5;
  // The element just stored is copied on from the value stored (our own store read again, one
  // outcome concurrent runs allow, as the classic compile does); the last statement below
  // reads it back, since the two arrays might overlap.
  RelaxedStore(Arr_1_Par_Ref[Int_Loc], Int_2_Par_Val);
  RelaxedStore(Arr_1_Par_Ref[Int_Loc + 1], Int_2_Par_Val);
  RelaxedStore(Arr_1_Par_Ref[Int_Loc + 30], Int_Loc);
  for (std::int32_t Int_Index = Int_Loc; Int_Index <= Int_Loc + 1; ++Int_Index)
    RelaxedStore(Arr_2_Par_Ref[Int_Loc][Int_Index], Int_Loc);
  // A load and a store, not a locked increment: concurrent runs may lose counts here, and
  // nothing reads the counter for a decision.
  std::int32_t& counter = Arr_2_Par_Ref[Int_Loc][Int_Loc - 1];
  RelaxedStore(counter, WrappingAdd(RelaxedLoad(counter), 1));
  RelaxedStore(Arr_2_Par_Ref[Int_Loc + 20][Int_Loc], RelaxedLoad(Arr_1_Par_Ref[Int_Loc]));
}

Enumeration Func_1(char Ch_1_Par_Val, char Ch_2_Par_Val, char Ch_1_Glob) {
  char Ch_1_Loc = Ch_1_Par_Val;
  char Ch_2_Loc = Ch_1_Loc;
  if (Ch_2_Loc != Ch_2_Par_Val) return Ident_1;
  return Ident_2;
}

Boolean Func_2(const Str_30 Str_1_Par_Ref, const Str_30 Str_2_Par_Ref, char Ch_1_Glob, std::int32_t Int_Glob) {
  std::int32_t Int_Loc = 2;
  char Ch_Loc = 0;
  while (Int_Loc <= 2) {
    if (Func_1(Str_1_Par_Ref[Int_Loc], Str_2_Par_Ref[Int_Loc + 1], Ch_1_Glob) == Ident_1) {
      Ch_Loc = 'A';
      Int_Loc += 1;
    }
  }
  if (Ch_Loc == 'R') return 1;
  return std::strcmp(Str_1_Par_Ref, Str_2_Par_Ref) > 0 ? 1 : 0;
}

Boolean Func_3(Enumeration Enum_Par_Val) { return Enum_Par_Val == Ident_3 ? 1 : 0; }
