// Directory listings in list boxes: LB_DIR (drives as "[-x-]", directories as "[name]",
// files by pattern), DlgDirListA and DlgDirSelectExA.
#pragma once

#include <win32.h>

namespace win32::user {

// Adds the entries `attributes` asks for through LB_ADDSTRING; returns the index of the
// last one added, or LB_ERR when nothing was added.
int fill_directory_list(HWND listbox, UINT attributes, const char* file_spec);

}  // namespace win32::user
