# Turns pictures/palette.txt into the program's palette table.
# Run as: cmake -DPALETTE=... -DOUTPUT=... -P embed_palette.cmake
file(STRINGS "${PALETTE}" lines)
set(rows "")
set(line 0)
foreach(entry IN LISTS lines)
  math(EXPR line "${line} + 1")
  if(entry MATCHES "^#" OR entry STREQUAL "")
    continue()
  endif()
  if(NOT entry MATCHES "^(.) ([0-9]+) ([0-9]+) ([0-9]+) (.+)$")
    message(FATAL_ERROR "${PALETTE}:${line}: expected a letter, red, green, blue and a name")
  endif()
  foreach(channel ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4})
    if(channel GREATER 255)
      message(FATAL_ERROR "${PALETTE}:${line}: a channel above 255")
    endif()
  endforeach()
  string(APPEND rows "    {'${CMAKE_MATCH_1}', Rgb(${CMAKE_MATCH_2}, ${CMAKE_MATCH_3}, ${CMAKE_MATCH_4}), \"${CMAKE_MATCH_5}\"},\n")
endforeach()
set(source "// Generated from pictures/palette.txt at build time; edit that file, not this one.
#include \"pictures/palette.h\"

namespace animatsiya {

const PaletteColour kPalette[] = {
${rows}};
const int kPaletteSize = sizeof(kPalette) / sizeof(kPalette[0]);

}  // namespace animatsiya
")
# Written only when the text changed, so an unchanged palette rebuilds nothing.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${source}" @ONLY)
