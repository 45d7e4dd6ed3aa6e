# Reads the stand-in's headers (platform/include/win32/*.h) and writes every macro they
# define again under an OURS_ prefix, with the macros it uses renamed the same way, then
# one CHECK or MISSING line per object-like macro. The Windows build compiles the result
# next to <windows.h>, so that each of our values is compared with the real header's.
function flush_define(line,    name, rest, params) {
  sub(/^[ \t]*#[ \t]*define[ \t]+/, "", line)
  match(line, /^[A-Za-z_][A-Za-z0-9_]*/)
  name = substr(line, 1, RLENGTH)
  rest = substr(line, RLENGTH + 1)
  if (name in seen) return
  seen[name] = 1
  order[++count] = name
  if (substr(rest, 1, 1) == "(") {
    function_like[name] = 1
    match(rest, /^\([^)]*\)/)
    params = substr(rest, 1, RLENGTH)
    body[name] = substr(rest, RLENGTH + 1)
    head[name] = params
  } else {
    body[name] = rest
    head[name] = ""
  }
}
function rename(text,    out, token) {
  out = ""
  while (match(text, /[A-Za-z_][A-Za-z0-9_]*/)) {
    token = substr(text, RSTART, RLENGTH)
    out = out substr(text, 1, RSTART - 1) ((token in seen) ? "OURS_" token : token)
    text = substr(text, RSTART + RLENGTH)
  }
  return out text
}
{
  line = $0
  while (line ~ /\\$/ && (getline next_line) > 0) {
    sub(/\\$/, " ", line)
    line = line next_line
  }
  if (line ~ /^[ \t]*#[ \t]*define[ \t]+[A-Za-z_]/) flush_define(line)
}
END {
  # Markers and keywords, not values.
  split("WINAPI CALLBACK APIENTRY FAR NEAR CONST NULL DECLARE_HANDLE", skipped, " ")
  for (i in skipped) skip[skipped[i]] = 1
  print "#ifndef STAND_IN_CHECKS"
  for (i = 1; i <= count; ++i) {
    name = order[i]
    if (name in skip) continue
    printf "#define OURS_%s%s %s\n", name, head[name], rename(body[name])
  }
  print "#else"
  for (i = 1; i <= count; ++i) {
    name = order[i]
    if ((name in skip) || (name in function_like) || body[name] ~ /^[ \t]*$/) continue
    # Another name for a function-like macro has no value of its own.
    alias = body[name]
    gsub(/[ \t]/, "", alias)
    if (alias in function_like) continue
    printf "#ifdef %s\nCHECK(%s)\n#else\nMISSING(%s)\n#endif\n", name, name, name
  }
  print "#endif"
}
