# Turns the palette-indexed text pictures of pictures/art into one C++ source.
# Run as: cmake -DART_DIR=... -DPALETTE=... -DOUTPUT=... -P embed_art.cmake
# Every row of a picture must be as wide as its first row and use only palette letters;
# anything else stops the build with the file and line at fault.
file(STRINGS "${PALETTE}" palette_lines REGEX "^[^#]")
set(letters "")
foreach(entry IN LISTS palette_lines)
  string(SUBSTRING "${entry}" 0 1 letter)
  string(APPEND letters "${letter}")
endforeach()
file(GLOB art_files "${ART_DIR}/*.txt")
list(SORT art_files COMPARE NATURAL)
set(body "")
set(table "")
foreach(art_file IN LISTS art_files)
  get_filename_component(name "${art_file}" NAME_WE)
  file(READ "${art_file}" text)
  string(REGEX REPLACE "\r" "" text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" ";" rows "${text}")
  list(LENGTH rows height)
  if(height EQUAL 0)
    message(FATAL_ERROR "${art_file}: empty picture")
  endif()
  list(GET rows 0 first)
  string(LENGTH "${first}" width)
  set(literal "")
  set(line 0)
  foreach(row IN LISTS rows)
    math(EXPR line "${line} + 1")
    string(LENGTH "${row}" row_width)
    if(NOT row_width EQUAL width)
      message(FATAL_ERROR "${art_file}:${line}: row is ${row_width} pixels wide, the first row is ${width}")
    endif()
    if(NOT row MATCHES "^[${letters}]+$")
      message(FATAL_ERROR "${art_file}:${line}: a letter outside the palette ${letters}")
    endif()
    string(APPEND literal "    \"${row}\"\n")
  endforeach()
  string(APPEND body "const char k${name}[] =\n${literal};\n\n")
  string(APPEND table "    {\"${name}\", ${width}, ${height}, k${name}},\n")
endforeach()
set(source "// Generated from pictures/art/*.txt at build time; edit those files, not this one.
#include \"pictures/art_text.h\"

namespace animatsiya {
namespace {

${body}}  // namespace

const ArtText kArtTexts[] = {
${table}};
const int kArtTextCount = sizeof(kArtTexts) / sizeof(kArtTexts[0]);

}  // namespace animatsiya
")
# Written only when the text changed, so an unchanged picture set rebuilds nothing.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${source}" @ONLY)
