#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pixels/caption_font.h"

namespace animatsiya {
namespace {

constexpr Pixel kPaper = Rgb(192, 192, 192);
constexpr Pixel kInk = Rgb(0, 0, 0);

Raster Drawn(std::string_view utf8, int width = 60, int height = 24) {
  Raster raster(width, height, kPaper);
  DrawText(raster, {0, 0, width, height}, 0, 0, utf8, kInk);
  return raster;
}

std::vector<std::string> Rows(const Raster& raster) {
  std::vector<std::string> rows;
  for (int y = 0; y < raster.height; ++y) {
    std::string row;
    for (int x = 0; x < raster.width; ++x) row += raster.at(x, y) == kInk ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(CaptionFontTest, DrawsTextAsTheToolkitDidPixelForPixel) {
  // Drawn by Qt from Liberation Sans Bold 2.1.5 at 18 px, unsmoothed and fully hinted:
  // the baseline on row 16, "у" kerned under "Г", the comma kerned to "у".
  const std::vector<std::string> expected = {
      "........................",
      "........................",
      "........................",
      "........................",
      ".#########..............",
      ".#########..............",
      ".###.....###.....###....",
      ".###......##.....##.....",
      ".###......###...###.....",
      ".###.......##...##......",
      ".###.......##...##......",
      ".###.......###.###......",
      ".###........##.##.......",
      ".###........##.##...###.",
      ".###.........###....###.",
      ".###.........###....###.",
      ".............###.....##.",
      ".............##......##.",
      "..........#####......#..",
      "..........####..........",
      "........................",
  };
  EXPECT_EQ(Rows(Drawn("Гу,", 24, 21)), expected);
}

TEST(CaptionFontTest, KerningAppliesWithinOneScript) {
  const int te = TextAdvance("Г");
  const int u = TextAdvance("у");
  const int space = TextAdvance(" ");
  const int a = TextAdvance("A");
  EXPECT_EQ(TextAdvance("Гу"), te + u - 1);
  // The space joins the Latin run after it at the start, and the Cyrillic run before it
  // later on: only the first " A" is kerned.
  EXPECT_EQ(TextAdvance(" A"), space + a - 1);
  EXPECT_EQ(TextAdvance("Г A"), te + space + a);
}

TEST(CaptionFontTest, CharactersTheFontLacksDrawNothingAndTakeNoRoom) {
  const Raster plain = Drawn("Пр");
  for (const char* text : {"П\u2603р", "П\U0001F600р", "П\xFFр", "П\xD0р", "Пр\xD0", "\x80Пр"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Drawn(text).pixels, plain.pixels);
    EXPECT_EQ(TextAdvance(text), TextAdvance("Пр"));
  }
  EXPECT_EQ(TextAdvance(""), 0);
}

TEST(CaptionFontTest, TouchesNothingOutsideTheClip) {
  // A line longer than the caption's 385 pixels, cut at every side and from a pen left of
  // the clip; inside the clip it is the unclipped text.
  const std::string text = "Как Ньютон открыл закон физики, Прикол над нло";
  ASSERT_GT(TextAdvance(text), 385);
  constexpr Pixel kUntouched = Rgb(1, 2, 3);
  for (const Rect clip : {Rect{0, 0, 385, 41}, Rect{3, 5, 40, 9}, Rect{-10, -10, 30, 30},
                          Rect{200, 0, 300, 41}, Rect{0, 0, 0, 41}}) {
    SCOPED_TRACE(clip.x);
    Raster whole(520, 41, kPaper);
    DrawText(whole, {0, 0, 520, 41}, -7, 0, text, kInk);
    Raster clipped(520, 41, kUntouched);
    DrawText(clipped, clip, -7, 0, text, kInk);
    for (int y = 0; y < 41; ++y) {
      for (int x = 0; x < 520; ++x) {
        const bool inside = x >= clip.x && x < clip.right() && y >= clip.y && y < clip.bottom();
        const Pixel want = inside && whole.at(x, y) == kInk ? kInk : kUntouched;
        ASSERT_EQ(clipped.at(x, y), want) << "at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace animatsiya
