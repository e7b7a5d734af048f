// Writes the caption font as text: every glyph a caption may need, rasterised by FreeType
// from the font file at 18 pixels, one bit a pixel, hinted for black and white, with its
// advance, and the kerning between them. The program embeds that text and reads no font
// file; this tool runs only when the font is to be made again.
//
// Usage: make_caption_font FONT_FILE OUTPUT
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPixelSize = 18;

// Latin and Cyrillic letters, digits, space and the punctuation of both scripts.
std::vector<char32_t> CaptionCharacters() {
  std::vector<char32_t> chars;
  for (char32_t c = 0x20; c <= 0x7E; ++c) chars.push_back(c);
  chars.push_back(0x401);  // Ё
  for (char32_t c = 0x410; c <= 0x44F; ++c) chars.push_back(c);
  chars.push_back(0x451);  // ё
  for (char32_t c : {0xAB, 0xBB, 0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x201E, 0x2026,
                     0x2116}) {
    chars.push_back(c);
  }
  // In code point order, as the program looks them up.
  std::sort(chars.begin(), chars.end());
  return chars;
}

std::string Utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string CodePoint(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

// The glyph as the text shows it: ink '#', paper '.', trimmed to its inked rows and columns.
struct Glyph {
  char32_t c = 0;
  FT_UInt index = 0;
  int advance = 0;
  int left = 0;  // from the pen to the first column
  int top = 0;   // from the baseline up to the first row
  std::vector<std::string> rows;
};

bool Ink(const FT_Bitmap& bitmap, int x, int y) {
  const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
  return (row[x / 8] >> (7 - x % 8)) & 1;
}

Glyph Trimmed(char32_t c, FT_UInt index, const FT_GlyphSlot slot) {
  Glyph g{c, index, static_cast<int>((slot->advance.x + 32) >> 6), slot->bitmap_left,
          slot->bitmap_top, {}};
  const FT_Bitmap& bitmap = slot->bitmap;
  const int width = static_cast<int>(bitmap.width);
  const int height = static_cast<int>(bitmap.rows);
  int x0 = width, x1 = -1, y0 = height, y1 = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!Ink(bitmap, x, y)) continue;
      x0 = std::min(x0, x);
      x1 = std::max(x1, x);
      y0 = std::min(y0, y);
      y1 = std::max(y1, y);
    }
  }
  if (x1 < 0) {  // nothing inked, as for the space
    g.left = 0;
    g.top = 0;
    return g;
  }
  g.left += x0;
  g.top -= y0;
  for (int y = y0; y <= y1; ++y) {
    std::string row;
    for (int x = x0; x <= x1; ++x) row += Ink(bitmap, x, y) ? '#' : '.';
    g.rows.push_back(row);
  }
  return g;
}

// Kerning in whole pixels as a shaper at this size adds it to the first glyph's advance:
// the pair's value scaled to 26.6 fixed point, then the advance rounded to a pixel.
// FreeType reads the face's kern table; in Liberation Sans its pairs come to the same
// pixels as the GPOS kerning that shapers read.
int KerningPixels(FT_Face face, FT_UInt first, FT_UInt second) {
  FT_Vector kerning{};
  if (FT_Get_Kerning(face, first, second, FT_KERNING_UNSCALED, &kerning) != 0) return 0;
  const long scaled = kerning.x * kPixelSize * 64;
  const long units = face->units_per_EM;
  const long fixed = scaled >= 0 ? (scaled + units / 2) / units : -((-scaled + units / 2) / units);
  return static_cast<int>((fixed + 32) >> 6);
}

// The font's own version string (name 5), as its Windows name table spells it.
std::string FontVersion(FT_Face face) {
  for (FT_UInt i = 0; i < FT_Get_Sfnt_Name_Count(face); ++i) {
    FT_SfntName name;
    if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != 5 || name.platform_id != 3) continue;
    std::string version;
    for (FT_UInt b = 1; b < name.string_len; b += 2) version += static_cast<char>(name.string[b]);
    return version;
  }
  return "of unknown version";
}

int Fail(const std::string& message) {
  std::cerr << "make_caption_font: " << message << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: make_caption_font FONT_FILE OUTPUT");
  const std::string fontFile = argv[1];
  const std::filesystem::path output = argv[2];

  FT_Library library;
  if (FT_Init_FreeType(&library) != 0) return Fail("cannot start FreeType");
  FT_Face face;
  if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
    return Fail("cannot read the font " + fontFile);
  }
  if (FT_Set_Pixel_Sizes(face, 0, kPixelSize) != 0) {
    return Fail(fontFile + ": cannot be set to " + std::to_string(kPixelSize) + " pixels");
  }

  std::vector<Glyph> glyphs;
  for (char32_t c : CaptionCharacters()) {
    const FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0) return Fail(fontFile + ": no glyph for " + CodePoint(c));
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0 ||
        face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
      return Fail(fontFile + ": cannot draw " + CodePoint(c) + " in black and white");
    }
    glyphs.push_back(Trimmed(c, index, face->glyph));
  }

  // The baseline: the face's ascent at this size, rounded to a pixel.
  const long ascentFixed = static_cast<long>(face->ascender) * kPixelSize * 64 / face->units_per_EM;
  const int ascent = static_cast<int>((ascentFixed + 32) >> 6);

  std::ostringstream text;
  text << "# The caption font, drawn from " << face->family_name << " " << face->style_name
       << " (" << FontVersion(face) << ") at " << kPixelSize
       << " pixels, hinted for black and white.\n"
       << "# Made from " << std::filesystem::path(fontFile).filename().string()
       << " by tools/font/make_caption_font; run that again rather than edit this.\n"
       << "# Licensed as the font is: SIL Open Font License 1.1, see LICENSE beside this file.\n"
       << "#\n"
       << "# glyph CODE CHAR advance A left L top T width W height H: A pixels to the next pen\n"
       << "# position; the first of the H rows starts L columns right of the pen and T rows above\n"
       << "# the baseline; '#' is ink. kern FIRST SECOND K: K pixels added to FIRST's advance\n"
       << "# when SECOND follows it in the same script. ascent: rows from the top of a line to\n"
       << "# its baseline.\n"
       << "ascent " << ascent << "\n";
  for (const Glyph& g : glyphs) {
    text << "\nglyph " << CodePoint(g.c) << " " << Utf8(g.c) << " advance " << g.advance
         << " left " << g.left << " top " << g.top << " width "
         << (g.rows.empty() ? 0 : g.rows[0].size()) << " height " << g.rows.size() << "\n";
    for (const std::string& row : g.rows) text << row << "\n";
  }
  text << "\n";
  for (const Glyph& first : glyphs) {
    for (const Glyph& second : glyphs) {
      const int k = KerningPixels(face, first.index, second.index);
      if (k == 0) continue;
      text << "kern " << CodePoint(first.c) << " " << CodePoint(second.c) << " " << k << " "
           << Utf8(first.c) << Utf8(second.c) << "\n";
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);

  // Written beside the output and moved over it, so a failure leaves the old file whole.
  const std::filesystem::path partial = output.string() + ".partial";
  {
    std::ofstream out(partial, std::ios::binary);
    out << text.str();
    out.close();
    if (!out) return Fail("cannot write " + partial.string() + ": " + std::strerror(errno));
  }
  std::error_code ec;
  std::filesystem::rename(partial, output, ec);
  if (ec) {
    std::filesystem::remove(partial);
    return Fail("cannot write " + output.string() + ": " + ec.message());
  }
  return 0;
}
