// The File menu's commands. Save, Save as... and Print only sound the default beep; Exit
// ends the message loop (the exit code comes from the application's exit step).
#include "genui/app_hooks.h"

int BLD_SaveUDCFunc(CWnd*) {
  MessageBeep(0);
  return TRUE;
}

int BLD_SaveasUDCFunc(CWnd*) {
  MessageBeep(0);
  return TRUE;
}

int BLD_PrintUDCFunc(CWnd*) {
  MessageBeep(0);
  return TRUE;
}

int BLD_ExitUDCFunc(CWnd*) {
  PostQuitMessage(0);
  return TRUE;
}
