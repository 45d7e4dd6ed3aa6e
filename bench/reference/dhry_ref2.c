/* Reference integer benchmark, second unit: Proc_6 ... Proc_8 and Func_1 ... Func_3. */
#include <string.h>

#include "dhry_ref_types.h"

void ref_Proc_6(Enumeration Enum_Val_Par, Enumeration* Enum_Ref_Par, int Int_Glob) {
  *Enum_Ref_Par = Enum_Val_Par;
  if (!ref_Func_3(Enum_Val_Par)) *Enum_Ref_Par = Ident_4;
  switch (Enum_Val_Par) {
    case Ident_1: *Enum_Ref_Par = Ident_1; break;
    case Ident_2: *Enum_Ref_Par = Int_Glob > 100 ? Ident_1 : Ident_4; break;
    case Ident_3: *Enum_Ref_Par = Ident_2; break;
    case Ident_4: break;
    case Ident_5: *Enum_Ref_Par = Ident_3; break;
  }
}

void ref_Proc_7(int Int_1_Par_Val, int Int_2_Par_Val, int* Int_Par_Ref) {
  int Int_Loc = Int_1_Par_Val + 2;
  *Int_Par_Ref = Int_2_Par_Val + Int_Loc;
}

void ref_Proc_8(Arr_1_Dim Arr_1_Par_Ref, Arr_2_Dim Arr_2_Par_Ref, int Int_1_Par_Val, int Int_2_Par_Val, int Int_Glob) {
  int Int_Index;
  int Int_Loc = Int_1_Par_Val + 5;
  (void)Int_Glob;
  Arr_1_Par_Ref[Int_Loc] = Int_2_Par_Val;
  Arr_1_Par_Ref[Int_Loc + 1] = Arr_1_Par_Ref[Int_Loc];
  Arr_1_Par_Ref[Int_Loc + 30] = Int_Loc;
  for (Int_Index = Int_Loc; Int_Index <= Int_Loc + 1; ++Int_Index) Arr_2_Par_Ref[Int_Loc][Int_Index] = Int_Loc;
  /* The run counter wraps; unsigned arithmetic keeps that defined. */
  Arr_2_Par_Ref[Int_Loc][Int_Loc - 1] = (int)((unsigned)Arr_2_Par_Ref[Int_Loc][Int_Loc - 1] + 1u);
  Arr_2_Par_Ref[Int_Loc + 20][Int_Loc] = Arr_1_Par_Ref[Int_Loc];
}

Enumeration ref_Func_1(char Ch_1_Par_Val, char Ch_2_Par_Val, char Ch_1_Glob) {
  char Ch_1_Loc = Ch_1_Par_Val;
  char Ch_2_Loc = Ch_1_Loc;
  (void)Ch_1_Glob;
  if (Ch_2_Loc != Ch_2_Par_Val) return Ident_1;
  return Ident_2;
}

Boolean ref_Func_2(const char* Str_1_Par_Ref, const char* Str_2_Par_Ref, char Ch_1_Glob, int Int_Glob) {
  int Int_Loc = 2;
  char Ch_Loc = 0;
  (void)Int_Glob;
  while (Int_Loc <= 2) {
    if (ref_Func_1(Str_1_Par_Ref[Int_Loc], Str_2_Par_Ref[Int_Loc + 1], Ch_1_Glob) == Ident_1) {
      Ch_Loc = 'A';
      Int_Loc += 1;
    }
  }
  if (Ch_Loc == 'R') return 1;
  return strcmp(Str_1_Par_Ref, Str_2_Par_Ref) > 0;
}

Boolean ref_Func_3(Enumeration Enum_Par_Val) { return Enum_Par_Val == Ident_3; }
