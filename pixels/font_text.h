#pragma once

// The caption font as the build embeds it from pixels/font/caption_font.txt: glyphs and
// kerning pairs in rising code point order.

namespace animatsiya {

struct GlyphText {
  char32_t codePoint;
  int advance;      // pixels from this glyph's pen position to the next
  int left;         // columns from the pen to the glyph's first column
  int top;          // rows from the baseline up to its first row
  int width;        // pixels
  int height;       // pixels
  const char* ink;  // width * height of '#' (ink) and '.' (none), row by row
};

struct KerningText {
  char32_t first;
  char32_t second;
  int pixels;  // added to the first glyph's advance
};

extern const int kFontAscent;  // rows from the top of a line to its baseline
extern const GlyphText kGlyphTexts[];
extern const int kGlyphTextCount;
extern const KerningText kKerningTexts[];
extern const int kKerningTextCount;

}  // namespace animatsiya
