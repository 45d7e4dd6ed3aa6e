/* What the two units of the reference integer benchmark share. */
#ifndef TORVEX_BENCH_DHRY_REF_TYPES_H
#define TORVEX_BENCH_DHRY_REF_TYPES_H

typedef enum { Ident_1, Ident_2, Ident_3, Ident_4, Ident_5 } Enumeration;
typedef int Boolean;
typedef char Str_30[31];
typedef int Arr_1_Dim[50];
typedef int Arr_2_Dim[50][50];

typedef struct Record {
  struct Record* Ptr_Comp;
  Enumeration Discr;
  Enumeration Enum_Comp;
  int Int_Comp;
  Str_30 Str_Comp;
} Rec_Type, *Rec_Pointer;

extern Rec_Pointer ref_Ptr_Glob;
extern Boolean ref_Bool_Glob;
extern Arr_1_Dim ref_Arr_1_Glob;
extern Arr_2_Dim ref_Arr_2_Glob;

void ref_Proc_6(Enumeration Enum_Val_Par, Enumeration* Enum_Ref_Par, int Int_Glob);
void ref_Proc_7(int Int_1_Par_Val, int Int_2_Par_Val, int* Int_Par_Ref);
void ref_Proc_8(Arr_1_Dim Arr_1_Par_Ref, Arr_2_Dim Arr_2_Par_Ref, int Int_1_Par_Val, int Int_2_Par_Val, int Int_Glob);
Enumeration ref_Func_1(char Ch_1_Par_Val, char Ch_2_Par_Val, char Ch_1_Glob);
Boolean ref_Func_2(const char* Str_1_Par_Ref, const char* Str_2_Par_Ref, char Ch_1_Glob, int Int_Glob);
Boolean ref_Func_3(Enumeration Enum_Par_Val);

#endif
