# Turns the caption font's text (pixels/font/caption_font.txt) into one C++ source.
# Run as: cmake -DFONT_TEXT=... -DOUTPUT=... -P embed_font.cmake
# A malformed line stops the build with the file and line at fault.
file(READ "${FONT_TEXT}" text)
# The character after a glyph's code is there for the reader alone; the few that CMake's
# lists would take for syntax are blanked before the text is split into lines.
foreach(syntax IN ITEMS "\\" "[" "]")
  string(REPLACE "${syntax}" "?" text "${text}")
endforeach()
string(REPLACE ";" "?" text "${text}")
string(REGEX REPLACE "\r" "" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

function(fail line message)
  message(FATAL_ERROR "${FONT_TEXT}:${line}: ${message}")
endfunction()

set(ascent "")
set(glyphs "")
set(kerning "")
set(glyph_count 0)
set(kerning_count 0)
set(last_code -1)
set(last_pair -1)
set(rows_left 0)
set(line 0)
foreach(text_line IN LISTS lines)
  math(EXPR line "${line} + 1")
  if(rows_left GREATER 0)
    string(LENGTH "${text_line}" row_width)
    if(NOT row_width EQUAL width)
      fail(${line} "row is ${row_width} pixels wide, the glyph ${width}")
    endif()
    if(NOT text_line MATCHES "^[#.]+$")
      fail(${line} "a row holds only '#' and '.'")
    endif()
    string(APPEND glyphs " \"${text_line}\"")
    math(EXPR rows_left "${rows_left} - 1")
    if(rows_left EQUAL 0)
      string(APPEND glyphs "},\n")
    endif()
  elseif(text_line STREQUAL "" OR text_line MATCHES "^#( |$)")
    # a blank line or a comment
  elseif(text_line MATCHES "^ascent ([0-9]+)$")
    set(ascent ${CMAKE_MATCH_1})
  elseif(text_line MATCHES "^glyph U\\+([0-9A-F]+) .* advance (-?[0-9]+) left (-?[0-9]+) top (-?[0-9]+) width ([0-9]+) height ([0-9]+)$")
    math(EXPR code "0x${CMAKE_MATCH_1}")
    set(width ${CMAKE_MATCH_5})
    set(rows_left ${CMAKE_MATCH_6})
    if(code LESS_EQUAL last_code)
      fail(${line} "glyphs stand in rising code point order")
    endif()
    if((width EQUAL 0) AND NOT (rows_left EQUAL 0))
      fail(${line} "a glyph without columns has no rows")
    endif()
    set(last_code ${code})
    math(EXPR glyph_count "${glyph_count} + 1")
    string(APPEND glyphs "    {0x${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}, ${CMAKE_MATCH_3}, ${CMAKE_MATCH_4}, ${width}, ${rows_left},")
    if(rows_left EQUAL 0)
      string(APPEND glyphs " \"\"},\n")
    endif()
  elseif(text_line MATCHES "^kern U\\+([0-9A-F]+) U\\+([0-9A-F]+) (-?[0-9]+)( .*)?$")
    math(EXPR pair "(0x${CMAKE_MATCH_1} << 21) | 0x${CMAKE_MATCH_2}")
    if(pair LESS_EQUAL last_pair)
      fail(${line} "kerning pairs stand in rising order of their first, then second code point")
    endif()
    set(last_pair ${pair})
    math(EXPR kerning_count "${kerning_count} + 1")
    string(APPEND kerning "    {0x${CMAKE_MATCH_1}, 0x${CMAKE_MATCH_2}, ${CMAKE_MATCH_3}},\n")
  else()
    fail(${line} "neither a comment, ascent, glyph nor kern line")
  endif()
endforeach()
if(rows_left GREATER 0)
  fail(${line} "the last glyph lacks ${rows_left} rows")
endif()
if(ascent STREQUAL "" OR glyph_count EQUAL 0 OR kerning_count EQUAL 0)
  message(FATAL_ERROR "${FONT_TEXT}: an ascent, glyphs and kerning pairs are needed")
endif()

set(source "// Generated from pixels/font/caption_font.txt at build time; edit that file, not this one.
#include \"pixels/font_text.h\"

namespace animatsiya {

const int kFontAscent = ${ascent};

const GlyphText kGlyphTexts[] = {
${glyphs}};
const int kGlyphTextCount = ${glyph_count};

const KerningText kKerningTexts[] = {
${kerning}};
const int kKerningTextCount = ${kerning_count};

}  // namespace animatsiya
")
# Written only when the text changed, so an unchanged font rebuilds nothing.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${source}" @ONLY)
