/* Reference integer benchmark, first unit: the globals, the main loop and Proc_1 ... Proc_5. */
#include <stdlib.h>
#include <string.h>

#include "dhry_ref.h"
#include "dhry_ref_types.h"

Rec_Pointer ref_Ptr_Glob;
Rec_Pointer ref_Next_Ptr_Glob;
Boolean ref_Bool_Glob;
Arr_1_Dim ref_Arr_1_Glob;
Arr_2_Dim ref_Arr_2_Glob;

/* The locals of the last call, kept where the compiler must assume someone reads them. */
int ref_Int_1_Loc, ref_Int_2_Loc, ref_Int_3_Loc;
char ref_Ch_2_Glob;
Enumeration ref_Enum_Loc;
Str_30 ref_Str_2_Loc;

void Proc_1(Rec_Pointer Ptr_Val_Par, int Int_Glob);
void Proc_2(int* Int_Par_Ref, int Int_Glob, char Ch_1_Glob);
void Proc_3(Rec_Pointer* Ptr_Ref_Par, int Int_Glob);
void Proc_4(char* Ch_1_Glob, char* Ch_2_Glob);
void Proc_5(char* Ch_1_Glob);

void Proc_1(Rec_Pointer Ptr_Val_Par, int Int_Glob) {
  Rec_Pointer Next_Record = Ptr_Val_Par->Ptr_Comp;
  *Ptr_Val_Par->Ptr_Comp = *ref_Ptr_Glob;
  Ptr_Val_Par->Int_Comp = 5;
  Next_Record->Int_Comp = Ptr_Val_Par->Int_Comp;
  Next_Record->Ptr_Comp = Ptr_Val_Par->Ptr_Comp;
  Proc_3(&Next_Record->Ptr_Comp, Int_Glob);
  if (Next_Record->Discr == Ident_1) {
    Next_Record->Int_Comp = 6;
    ref_Proc_6(Ptr_Val_Par->Enum_Comp, &Next_Record->Enum_Comp, Int_Glob);
    Next_Record->Ptr_Comp = ref_Ptr_Glob->Ptr_Comp;
    ref_Proc_7(Next_Record->Int_Comp, 10, &Next_Record->Int_Comp);
  } else {
    *Ptr_Val_Par = *Ptr_Val_Par->Ptr_Comp;
  }
}

void Proc_2(int* Int_Par_Ref, int Int_Glob, char Ch_1_Glob) {
  int Int_Loc = *Int_Par_Ref + 10;
  Enumeration Enum_Loc = Ident_2;
  do {
    if (Ch_1_Glob == 'A') {
      Int_Loc -= 1;
      *Int_Par_Ref = Int_Loc - Int_Glob;
      Enum_Loc = Ident_1;
    }
  } while (Enum_Loc != Ident_1);
}

void Proc_3(Rec_Pointer* Ptr_Ref_Par, int Int_Glob) {
  if (ref_Ptr_Glob != NULL) *Ptr_Ref_Par = ref_Ptr_Glob->Ptr_Comp;
  ref_Proc_7(10, Int_Glob, &ref_Ptr_Glob->Int_Comp);
}

void Proc_4(char* Ch_1_Glob, char* Ch_2_Glob) {
  Boolean Bool_Loc = *Ch_1_Glob == 'A';
  ref_Bool_Glob = Bool_Loc | ref_Bool_Glob;
  *Ch_2_Glob = 'B';
}

void Proc_5(char* Ch_1_Glob) {
  *Ch_1_Glob = 'A';
  ref_Bool_Glob = 0;
}

void ref_dhry(void) {
  int Int_Glob = 5;
  char Ch_1_Glob = 0, Ch_2_Glob = 0, Ch_Index;
  int Int_1_Loc = 0, Int_2_Loc = 0, Int_3_Loc = 0, Run_Index;
  Enumeration Enum_Loc = Ident_1;
  Str_30 Str_1_Loc, Str_2_Loc;

  if (ref_Next_Ptr_Glob == NULL) {
    ref_Next_Ptr_Glob = (Rec_Pointer)malloc(sizeof(Rec_Type));
    ref_Ptr_Glob = (Rec_Pointer)malloc(sizeof(Rec_Type));
    if (ref_Next_Ptr_Glob == NULL || ref_Ptr_Glob == NULL) abort();
    memset(ref_Next_Ptr_Glob, 0, sizeof(Rec_Type));
    ref_Ptr_Glob->Ptr_Comp = ref_Next_Ptr_Glob;
    ref_Ptr_Glob->Discr = Ident_1;
    ref_Ptr_Glob->Enum_Comp = Ident_3;
    ref_Ptr_Glob->Int_Comp = 40;
    strcpy(ref_Ptr_Glob->Str_Comp, "DHRYSTONE PROGRAM, SOME STRING");
    ref_Arr_2_Glob[8][7] = 10;
  }
  strcpy(Str_1_Loc, "DHRYSTONE PROGRAM, 1'ST STRING");

  for (Run_Index = 1; Run_Index <= 200000; ++Run_Index) {
    Proc_5(&Ch_1_Glob);
    Proc_4(&Ch_1_Glob, &Ch_2_Glob);
    Int_1_Loc = 2;
    Int_2_Loc = 3;
    strcpy(Str_2_Loc, "DHRYSTONE PROGRAM, 2'ND STRING");
    Enum_Loc = Ident_2;
    ref_Bool_Glob = !ref_Func_2(Str_1_Loc, Str_2_Loc, Ch_1_Glob, Int_Glob);
    while (Int_1_Loc < Int_2_Loc) {
      Int_3_Loc = 5 * Int_1_Loc - Int_2_Loc;
      ref_Proc_7(Int_1_Loc, Int_2_Loc, &Int_3_Loc);
      Int_1_Loc += 1;
    }
    ref_Proc_8(ref_Arr_1_Glob, ref_Arr_2_Glob, Int_1_Loc, Int_3_Loc, Int_Glob);
    Proc_1(ref_Ptr_Glob, Int_Glob);
    for (Ch_Index = 'A'; Ch_Index <= Ch_2_Glob; ++Ch_Index) {
      if (Enum_Loc == ref_Func_1(Ch_Index, 'C', Ch_1_Glob)) {
        ref_Proc_6(Ident_1, &Enum_Loc, Int_Glob);
        strcpy(Str_2_Loc, "DHRYSTONE PROGRAM, 3'RD STRING");
        Int_2_Loc = Run_Index;
        Int_Glob = Run_Index;
      }
    }
    Int_2_Loc = Int_2_Loc * Int_1_Loc;
    Int_1_Loc = Int_2_Loc / Int_3_Loc;
    Int_2_Loc = 7 * (Int_2_Loc - Int_3_Loc) - Int_1_Loc;
    Proc_2(&Int_1_Loc, Int_Glob, Ch_1_Glob);
  }

  ref_Int_1_Loc = Int_1_Loc;
  ref_Int_2_Loc = Int_2_Loc;
  ref_Int_3_Loc = Int_3_Loc;
  ref_Ch_2_Glob = Ch_2_Glob;
  ref_Enum_Loc = Enum_Loc;
  memcpy(ref_Str_2_Loc, Str_2_Loc, sizeof Str_2_Loc);
}

int ref_dhry_run_counter(void) { return ref_Arr_2_Glob[8][7]; }
