# Reads the stand-in's headers (platform/include/win32/*.h) and writes one X-macro line
# per simple type name of types.h (LAYOUT_TYPE), per struct (LAYOUT_STRUCT) and per struct
# member (LAYOUT_FIELD). Compiled against our win32.h on the host and against <windows.h>
# in the Windows build, the lines give the sizes, offsets and signedness to compare.
# Our headers declare one member per line, "TYPE name;" or "TYPE name[COUNT];", and close
# a struct with "} NAME, *PNAME...;".
{
  line = $0
  sub(/\/\/.*/, "", line)
  if (line ~ /^typedef struct/) {
    in_struct = 1
    fields = ""
    next
  }
  if (in_struct && line ~ /^}/) {
    in_struct = 0
    name = line
    sub(/^}[ \t]*/, "", name)
    sub(/[ \t]*[,;].*/, "", name)
    printf "LAYOUT_STRUCT(%s)\n", name
    count = split(fields, members, " ")
    for (i = 1; i <= count; ++i) printf "LAYOUT_FIELD(%s, %s)\n", name, members[i]
    next
  }
  if (in_struct && line ~ /;[ \t]*$/) {
    member = line
    sub(/[ \t]*;[ \t]*$/, "", member)
    # Two members on one line would be read as one: stop the build rather than skip one.
    if (member ~ /,/) printf "#error \"%s: one member per line: %s\"\n", FILENAME, member
    sub(/\[.*/, "", member)
    sub(/.*[ \t*]/, "", member)
    fields = fields " " member
    next
  }
  # typedef OLD NEW; in types.h: the scalar and pointer names every signature is made of.
  if (FILENAME ~ /types\.h$/ && line ~ /^typedef [A-Za-z_][A-Za-z0-9_: ]*[ *]+[A-Za-z_][A-Za-z0-9_]*;[ \t]*$/) {
    type = line
    sub(/;[ \t]*$/, "", type)
    sub(/.*[ *]/, "", type)
    if (type != "VOID") printf "LAYOUT_TYPE(%s)\n", type
  }
}
