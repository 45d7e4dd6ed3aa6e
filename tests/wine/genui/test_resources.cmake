# Writes test_resources.rc for the generated layer's tests under Wine: the resources that
# genui_support registers at run time in the other build. TESTBITMAP is a bottom-up
# 40 x 20 DIB in four coloured quarters (red, green / blue, white from the top left), kept
# as raw RT_BITMAP words with 32 bits a pixel; NARROWDLG is a panel of 30 x 40 dialog
# units with one static control.
set(width 40)
set(height 20)
# Each pixel as two words: green-blue, then red (the fourth byte is zero).
set(red "0x0000, 0x00FF")
set(green "0xFF00, 0x0000")
set(blue "0x00FF, 0x0000")
set(white "0xFFFF, 0x00FF")
math(EXPR half_width "${width} / 2")
math(EXPR half_height "${height} / 2")
math(EXPR last_row "${height} - 1")
math(EXPR last_half "${half_width} - 1")

# BITMAPINFOHEADER: size 40, width, height, one plane, 32 bits, BI_RGB, the rest zero.
set(words "  40, 0, ${width}, 0, ${height}, 0, 1, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0")
foreach(row RANGE ${last_row})
  math(EXPR y "${last_row} - ${row}")
  if(y LESS half_height)
    set(left ${red})
    set(right ${green})
  else()
    set(left ${blue})
    set(right ${white})
  endif()
  set(line "")
  foreach(x RANGE ${last_half})
    string(APPEND line ", ${left}")
  endforeach()
  foreach(x RANGE ${last_half})
    string(APPEND line ", ${right}")
  endforeach()
  string(APPEND words ",\n ${line}")
endforeach()
string(REPLACE ",\n , " ",\n  " words "${words}")

set(genui_test_resources ${CMAKE_CURRENT_BINARY_DIR}/genui_test_resources.rc)
file(WRITE ${genui_test_resources}.new
"// Written by tests/wine/genui/test_resources.cmake.
TESTBITMAP 2
BEGIN
${words}
END

NARROWDLG DIALOG 0, 0, 30, 40
STYLE 0x84000000
BEGIN
    CONTROL \"x\", 100, 0x0082, 0x50000000, 2, 2, 20, 10
END
")
# Only a changed script is rewritten, so a new configure does not rebuild the tests.
file(COPY_FILE ${genui_test_resources}.new ${genui_test_resources} ONLY_IF_DIFFERENT)
