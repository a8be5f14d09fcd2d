# Writes the main window's finished form description: the template with the packed skin's
# zlib block in hexadecimal in place of its "@SKIN_BLOCK@" line; then a C++ source that holds
# the finished text. Run with -DPACKED=<compressed skin file> -DTEMPLATE=<Main.form>
# -DFORM=<finished description> -DOUTPUT=<source>.
file(READ ${PACKED} hex HEX)
string(LENGTH "${hex}" digits)
if(digits LESS 16)
  message(FATAL_ERROR "${PACKED} is no compressed skin file")
endif()
# The eight header bytes are the file's own; the window carries the block alone.
string(SUBSTRING "${hex}" 16 -1 hex)
string(TOUPPER "${hex}" hex)
# 64 digits a line, indented inside the binary value.
set(lines "")
string(LENGTH "${hex}" digits)
foreach(at RANGE 0 ${digits} 64)
  if(at LESS digits)
    string(SUBSTRING "${hex}" ${at} 64 line)
    string(APPEND lines "      ${line}\n")
  endif()
endforeach()
string(REGEX REPLACE "\n$" "" lines "${lines}")

file(READ ${TEMPLATE} form)
string(FIND "${form}" "@SKIN_BLOCK@" at)
if(at LESS 0)
  message(FATAL_ERROR "${TEMPLATE} has no @SKIN_BLOCK@ line")
endif()
string(REPLACE "@SKIN_BLOCK@" "${lines}" form "${form}")
file(WRITE ${FORM}.tmp "${form}")
file(COPY_FILE ${FORM}.tmp ${FORM} ONLY_IF_DIFFERENT)
file(REMOVE ${FORM}.tmp)

# The text as bytes, so that no character of it needs escaping in C++.
file(READ ${FORM} bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n  " bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
"// Generated from resources/Main.form and resources/skin by the build; do not edit.
#include \"resources/ProgramForm.h\"

namespace {
const unsigned char Text[] = {
  ${bytes}
};
}  // namespace

namespace spv {
std::string_view ProgramFormDescription() { return {reinterpret_cast<const char*>(Text), sizeof Text}; }
}  // namespace spv
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
