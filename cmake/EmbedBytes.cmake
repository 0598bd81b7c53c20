# append_bytes(out_var path): appends a file's bytes to out_var as one line of C array
# elements, with a line break after them, so that a file whose last line has none does
# not run into the next one joined after it.
function(append_bytes out_var path)
  file(READ ${path} hex HEX)
  string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
  set(${out_var} "${${out_var}}  ${bytes}0x0a,\n" PARENT_SCOPE)
endfunction()
