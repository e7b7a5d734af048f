#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/palette.h"
#include "pictures/picture_set.h"
#include "stage/stage.h"

namespace animatsiya {
namespace {

const Raster& R(PictureId id) { return *GetPicture(id).raster; }

std::vector<PictureId> AllPictures() {
  std::vector<PictureId> all;
  for (int i = 0; i < kPictureCount; ++i) all.push_back(static_cast<PictureId>(i));
  return all;
}

// The sprite that holds a picture at start carries the picture's name.
ElementId HolderOf(PictureId id) {
  return static_cast<ElementId>(std::stoi(std::string(NameOf(id).substr(5))));
}

// A colour of the program's palette, by its name in pictures/palette.txt.
Pixel Colour(std::string_view name) {
  for (const PaletteColour& colour : Palette()) {
    if (name == colour.name) return colour.pixel;
  }
  ADD_FAILURE() << name << " is not in the palette";
  return 0;
}

TEST(Pictures, EachPictureHasTheSizeItsTableGives) {
  for (PictureId id : AllPictures()) {
    SCOPED_TRACE(std::string(NameOf(id)));
    EXPECT_EQ(GetPicture(id).id, id);
    EXPECT_EQ(PictureNamed(NameOf(id)), id);
    EXPECT_GT(SizeOf(id).width, 0);
    EXPECT_GT(SizeOf(id).height, 0);
    EXPECT_EQ(R(id).width, SizeOf(id).width);
    EXPECT_EQ(R(id).height, SizeOf(id).height);
    EXPECT_EQ(R(id).pixels.size(), static_cast<size_t>(R(id).width) * R(id).height);
  }
}

// The set as a whole uses exactly the palette's colours.
TEST(Pictures, UseThePaletteColoursAndNoOthers) {
  ASSERT_EQ(Palette().size(), 13u);
  std::set<Pixel> palette;
  for (const PaletteColour& colour : Palette()) palette.insert(colour.pixel);
  EXPECT_EQ(palette.count(kBackground), 1u);
  std::set<Pixel> used;
  for (PictureId id : AllPictures()) {
    SCOPED_TRACE(std::string(NameOf(id)));
    int strays = 0;
    for (Pixel p : R(id).pixels) {
      strays += palette.count(p) == 0;
      used.insert(p);
    }
    EXPECT_EQ(strays, 0);
  }
  EXPECT_EQ(used, palette);
}

// Each picture shows the colours its figure is made of; a lost recolouring or a
// figure drawn in the wrong colour shows up here.
TEST(Pictures, ShowTheColoursOfTheirFigures) {
  struct Case {
    PictureId id;
    std::vector<std::string> colours;
    std::vector<std::string> absent;
  };
  const Case cases[] = {
      {PictureId::Image1, {"red", "black", "background grey"}, {"blue"}},
      {PictureId::Image2, {"blue", "black", "background grey"}, {"red"}},
      {PictureId::Image3, {"blue", "black"}, {"red"}},
      {PictureId::Image7, {"red", "black"}, {"blue"}},
      {PictureId::Image8, {"blue", "black"}, {"red"}},
      {PictureId::Image15, {"magenta", "black"}, {}},
      {PictureId::Image16, {"yellow", "black"}, {}},
      {PictureId::Image17, {"green", "magenta", "brown", "black"}, {}},
      {PictureId::Image18, {"magenta", "green"}, {}},
      {PictureId::Image22,
       {"red", "blue", "yellow", "magenta", "crimson", "green", "sky blue", "black"}, {}},
      {PictureId::Image23, {"blue", "orange", "black"}, {"red"}},
      {PictureId::Image25, {"red", "orange", "black"}, {"blue"}},
      {PictureId::Image29, {"blue", "yellow", "orange", "black"}, {}},
      {PictureId::Image31, {"red", "yellow", "orange", "black"}, {}},
      {PictureId::Image33, {"magenta", "black"}, {}},
      {PictureId::Image34, {"green", "purple", "orange", "brown", "black"}, {}},
      {PictureId::Image36, {"green", "purple", "brown"}, {"orange"}},
      {PictureId::Image37, {"black", "white", "orange"}, {}},
      {PictureId::Image38, {"black", "orange"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(NameOf(c.id)));
    const std::set<Pixel> used(R(c.id).pixels.begin(), R(c.id).pixels.end());
    for (const std::string& name : c.colours) EXPECT_EQ(used.count(Colour(name)), 1u) << name;
    for (const std::string& name : c.absent) EXPECT_EQ(used.count(Colour(name)), 0u) << name;
  }
  // The walker is drawn in black lines only.
  for (PictureId walker : {PictureId::Image19, PictureId::Image20}) {
    const std::set<Pixel> used(R(walker).pixels.begin(), R(walker).pixels.end());
    EXPECT_EQ(used, (std::set<Pixel>{kBackground, Colour("black")})) << NameOf(walker);
  }
}

TEST(Pictures, IdenticalPairsMatchPixelForPixel) {
  EXPECT_EQ(R(PictureId::Image4).pixels, R(PictureId::Image2).pixels);
  EXPECT_EQ(R(PictureId::Image40).pixels, R(PictureId::Image37).pixels);
}

Raster Swapped(const Raster& from, Pixel old, Pixel replacement) {
  Raster r = from;
  for (Pixel& p : r.pixels) {
    if (p == old) p = replacement;
  }
  return r;
}

TEST(Pictures, BluePaddlesAreTheRedOnesRecoloured) {
  const Pixel red = Colour("red");
  const Pixel blue = Colour("blue");
  EXPECT_EQ(R(PictureId::Image8).pixels, Swapped(R(PictureId::Image7), red, blue).pixels);
  EXPECT_EQ(R(PictureId::Image10).pixels, Swapped(R(PictureId::Image9), red, blue).pixels);
}

TEST(Pictures, TheUfoIsTheSaucerInRedWithOneMoreGreyRow) {
  const Raster& ufo = R(PictureId::Image1);
  const Raster red = Swapped(R(PictureId::Image2), Colour("blue"), Colour("red"));
  ASSERT_EQ(ufo.width, red.width);
  ASSERT_EQ(ufo.height, red.height + 1);
  for (int y = 0; y < red.height; ++y) {
    for (int x = 0; x < red.width; ++x) ASSERT_EQ(ufo.at(x, y), red.at(x, y)) << x << "," << y;
  }
  for (int x = 0; x < ufo.width; ++x) EXPECT_EQ(ufo.at(x, ufo.height - 1), kBackground) << x;
}

struct Region {
  int x, y, width, height;
};

struct PosePair {
  PictureId first;
  PictureId second;
  std::vector<Region> shared;  // where the head, upper body (and the corpse) lie
};

// A sprite that swaps the two pictures of a pair keeps the figure in place: the parts
// that do not move are the same pixels at the same place, and the pair differs elsewhere.
TEST(Pictures, PosePairsShareTheirUpperBody) {
  const PosePair pairs[] = {
      // head and neck; the body line below the arms
      {PictureId::Image19, PictureId::Image20, {{0, 0, 39, 22}, {20, 31, 2, 11}}},
      // head, neck and shoulders, above where the arms swing
      {PictureId::Image23, PictureId::Image24, {{0, 0, 119, 57}}},
      {PictureId::Image25, PictureId::Image26, {{0, 0, 118, 57}}},
      // head and arms ahead of the wings; the body and legs between the wings
      {PictureId::Image29, PictureId::Image30, {{132, 0, 76, 94}, {0, 42, 208, 20}}},
      {PictureId::Image31, PictureId::Image32, {{132, 0, 77, 75}, {0, 36, 209, 16}}},
      // the man above his hips; the rope and the corpse
      {PictureId::Image34, PictureId::Image35, {{0, 0, 252, 69}, {71, 0, 181, 96}}},
  };
  for (const PosePair& pair : pairs) {
    SCOPED_TRACE(std::string(NameOf(pair.first)) + "/" + std::string(NameOf(pair.second)));
    const Raster& a = R(pair.first);
    const Raster& b = R(pair.second);
    for (const Region& r : pair.shared) {
      ASSERT_LE(r.x + r.width, std::min(a.width, b.width));
      ASSERT_LE(r.y + r.height, std::min(a.height, b.height));
      int differing = 0;
      for (int y = r.y; y < r.y + r.height; ++y) {
        for (int x = r.x; x < r.x + r.width; ++x) differing += a.at(x, y) != b.at(x, y);
      }
      EXPECT_EQ(differing, 0) << "region at " << r.x << "," << r.y;
    }
    int moving = 0;
    for (int y = 0; y < std::min(a.height, b.height); ++y) {
      for (int x = 0; x < std::min(a.width, b.width); ++x) moving += a.at(x, y) != b.at(x, y);
    }
    EXPECT_GT(moving, 0);
  }
}

int FigurePixelsInRow(const Raster& r, int y) {
  int n = 0;
  for (int x = 0; x < r.width; ++x) n += r.at(x, y) != kBackground;
  return n;
}

int FigurePixelsInColumn(const Raster& r, int x) {
  int n = 0;
  for (int y = 0; y < r.height; ++y) n += r.at(x, y) != kBackground;
  return n;
}

// Hair that touches row 0 is hair sliced off by the picture's edge.
TEST(Pictures, HairStaysInsideThePicture) {
  for (PictureId id : {PictureId::Image23, PictureId::Image24, PictureId::Image25,
                       PictureId::Image26, PictureId::Image31, PictureId::Image32}) {
    EXPECT_EQ(FigurePixelsInRow(R(id), 0), 0) << NameOf(id);
  }
}

// A blade drawn past the right edge shows as a long straight run in the last column.
TEST(Pictures, TheScytheBladeCurvesInsideThePicture) {
  for (PictureId id : {PictureId::Image37, PictureId::Image40}) {
    EXPECT_LE(FigurePixelsInColumn(R(id), R(id).width - 1), 4) << NameOf(id);
  }
}

TEST(Pictures, SaucersAreMirrorSymmetric) {
  for (PictureId id : {PictureId::Image1, PictureId::Image2, PictureId::Image4}) {
    const Raster& r = R(id);
    int differing = 0;
    for (int y = 0; y < r.height; ++y) {
      for (int x = 0; x < r.width; ++x) differing += r.at(x, y) != r.at(r.width - 1 - x, y);
    }
    EXPECT_LE(differing, 4) << NameOf(id);
  }
}

// Sizes of the 8-connected groups of figure pixels, largest first.
std::vector<int> ConnectedParts(const Raster& r) {
  std::vector<bool> seen(r.pixels.size(), false);
  std::vector<int> parts;
  for (int start = 0; start < static_cast<int>(r.pixels.size()); ++start) {
    if (seen[start] || r.pixels[start] == kBackground) continue;
    int size = 0;
    std::vector<int> todo = {start};
    seen[start] = true;
    while (!todo.empty()) {
      const int p = todo.back();
      todo.pop_back();
      ++size;
      const int px = p % r.width;
      const int py = p / r.width;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int x = px + dx;
          const int y = py + dy;
          if (x < 0 || y < 0 || x >= r.width || y >= r.height) continue;
          const int q = y * r.width + x;
          if (!seen[q] && r.pixels[q] != kBackground) {
            seen[q] = true;
            todo.push_back(q);
          }
        }
      }
    }
    parts.push_back(size);
  }
  std::sort(parts.rbegin(), parts.rend());
  return parts;
}

// A head that floats above its body, or a limb that misses its shoulder, splits a
// figure in two; only details as small as an eye may stand apart.
TEST(Pictures, EachFigureIsOneConnectedDrawing) {
  constexpr int kLargestDetail = 12;
  for (PictureId id : {PictureId::Image19, PictureId::Image20, PictureId::Image23,
                       PictureId::Image24, PictureId::Image25, PictureId::Image26,
                       PictureId::Image29, PictureId::Image30, PictureId::Image31,
                       PictureId::Image32, PictureId::Image34, PictureId::Image35,
                       PictureId::Image37}) {
    SCOPED_TRACE(std::string(NameOf(id)));
    const std::vector<int> parts = ConnectedParts(R(id));
    ASSERT_FALSE(parts.empty());
    for (size_t i = 1; i < parts.size(); ++i) EXPECT_LE(parts[i], kLargestDetail) << "part " << i;
  }
}

// Every picture, handed to a sprite, appears at the sprite's corner exactly as drawn,
// and the sprite takes the picture's size.
TEST(Pictures, ASpriteThatTakesAPictureShowsItsPixels) {
  constexpr int kLeft = 11;  // pixels; every picture fits inside the stage from here
  constexpr int kTop = 7;
  for (PictureId id : AllPictures()) {
    SCOPED_TRACE(std::string(NameOf(id)));
    Stage stage;
    for (int e = Image1; e <= Label1; ++e) stage.SetVisible(static_cast<ElementId>(e), false);
    stage.TakePicture(Image39, HolderOf(id));
    stage.SetLeft(Image39, kLeft * 15);
    stage.SetTop(Image39, kTop * 15);
    stage.SetVisible(Image39, true);
    stage.FinishStep();

    const Raster& picture = R(id);
    EXPECT_EQ(stage.element(Image39).width, picture.width * 15);
    EXPECT_EQ(stage.element(Image39).height, picture.height * 15);
    const Raster& shown = stage.picture();
    int differing = 0;
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        differing += shown.at(kLeft + x, kTop + y) != picture.at(x, y);
      }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(shown.at(kLeft - 1, kTop - 1), kBackground);
    EXPECT_EQ(shown.at(kLeft + picture.width, kTop + picture.height), kBackground);
  }
}

}  // namespace
}  // namespace animatsiya
