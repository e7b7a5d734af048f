#include "pixels/caption_font.h"

#include <algorithm>
#include <string>
#include <vector>

#include "pixels/font_text.h"

namespace animatsiya {
namespace {

// The length of the UTF-8 sequence that a byte starts, or 0 for a byte that starts none.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF5) return 4;
  return 0;
}

// The code points of UTF-8 text; a byte that starts no well-formed sequence becomes
// U+FFFD, which the font lacks.
std::u32string Decode(std::string_view utf8) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::u32string text;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = SequenceLength(lead);
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    bool wellFormed = length > 0 && i + length <= utf8.size();
    for (int k = 1; wellFormed && k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      wellFormed = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    text += wellFormed ? c : kReplacement;
    i += wellFormed ? length : 1;
  }
  return text;
}

const GlyphText* FindGlyph(char32_t c) {
  const GlyphText* end = kGlyphTexts + kGlyphTextCount;
  const GlyphText* found = std::lower_bound(
      kGlyphTexts, end, c, [](const GlyphText& g, char32_t code) { return g.codePoint < code; });
  return found != end && found->codePoint == c ? found : nullptr;
}

int Kerning(char32_t first, char32_t second) {
  const KerningText* end = kKerningTexts + kKerningTextCount;
  const KerningText* found =
      std::lower_bound(kKerningTexts, end, KerningText{first, second, 0},
                       [](const KerningText& a, const KerningText& b) {
                         return a.first != b.first ? a.first < b.first : a.second < b.second;
                       });
  return found != end && found->first == first && found->second == second ? found->pixels : 0;
}

enum class Script { Common, Latin, Cyrillic };

Script ScriptOf(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return Script::Latin;
  if (c >= 0x400 && c <= 0x4FF) return Script::Cyrillic;
  return Script::Common;
}

// Kerning applies within a run of one script, as a text shaper splits a line: spaces,
// digits and punctuation belong to the run they stand in, or at the start to the first.
std::vector<Script> RunScripts(const std::u32string& text) {
  std::vector<Script> scripts(text.size(), Script::Common);
  Script run = Script::Common;
  for (size_t i = 0; i < text.size(); ++i) {
    const Script own = ScriptOf(text[i]);
    if (own != Script::Common) {
      if (run == Script::Common) std::fill(scripts.begin(), scripts.begin() + i, own);
      run = own;
    }
    scripts[i] = run;
  }
  return scripts;
}

// Calls draw(glyph, pen) for every glyph of the text and returns the pen's last position.
template <typename Draw>
int Lay(std::string_view utf8, Draw draw) {
  const std::u32string text = Decode(utf8);
  const std::vector<Script> scripts = RunScripts(text);
  int pen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const GlyphText* glyph = FindGlyph(text[i]);
    if (glyph == nullptr) continue;
    draw(*glyph, pen);
    pen += glyph->advance;
    if (i + 1 < text.size() && scripts[i] == scripts[i + 1]) pen += Kerning(text[i], text[i + 1]);
  }
  return pen;
}

}  // namespace

int TextAdvance(std::string_view utf8) {
  return Lay(utf8, [](const GlyphText&, int) {});
}

void DrawText(Raster& raster, const Rect& clip, int x, int y, std::string_view utf8, Pixel colour) {
  const Rect area = Intersect(clip, {0, 0, raster.width, raster.height});
  if (area.empty()) return;
  const int baseline = y + kFontAscent;
  Lay(utf8, [&](const GlyphText& glyph, int pen) {
    const Rect box{x + pen + glyph.left, baseline - glyph.top, glyph.width, glyph.height};
    const Rect shown = Intersect(box, area);
    for (int row = shown.y; row < shown.bottom(); ++row) {
      const char* ink = glyph.ink + (row - box.y) * glyph.width;
      for (int column = shown.x; column < shown.right(); ++column) {
        if (ink[column - box.x] == '#') raster.at(column, row) = colour;
      }
    }
  });
}

}  // namespace animatsiya
