#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "pictures/picture_set.h"
#include "stage/stage.h"

namespace animatsiya {
namespace {

constexpr Pixel kBlack = Rgb(0, 0, 0);
constexpr Pixel kWhite = Rgb(255, 255, 255);
constexpr Pixel kRed = Rgb(255, 0, 0);
constexpr Pixel kBlue = Rgb(0, 0, 255);
constexpr Pixel kYellow = Rgb(255, 255, 0);
constexpr Pixel kMagenta = Rgb(255, 0, 255);
constexpr Pixel kCrimson = Rgb(255, 0, 128);
constexpr Pixel kGreen = Rgb(0, 128, 0);
constexpr Pixel kSkyBlue = Rgb(0, 128, 255);
constexpr Pixel kOrange = Rgb(255, 128, 64);
constexpr Pixel kBrown = Rgb(128, 64, 0);
constexpr Pixel kPurple = Rgb(128, 0, 128);

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

struct SizeCase {
  PictureId id;
  int width;
  int height;
};

TEST(Pictures, EveryPictureHasItsPixelSize) {
  const SizeCase cases[] = {
      {PictureId::Image1, 68, 52},    {PictureId::Image2, 68, 51},    {PictureId::Image3, 75, 54},
      {PictureId::Image4, 68, 51},    {PictureId::Image7, 91, 17},    {PictureId::Image8, 91, 17},
      {PictureId::Image9, 17, 92},    {PictureId::Image10, 17, 92},   {PictureId::Image15, 36, 33},
      {PictureId::Image16, 32, 29},   {PictureId::Image17, 137, 196}, {PictureId::Image18, 10, 8},
      {PictureId::Image19, 39, 67},   {PictureId::Image20, 39, 67},   {PictureId::Image22, 458, 103},
      {PictureId::Image23, 119, 172}, {PictureId::Image24, 119, 172}, {PictureId::Image25, 118, 172},
      {PictureId::Image26, 118, 172}, {PictureId::Image29, 208, 94},  {PictureId::Image30, 208, 94},
      {PictureId::Image31, 209, 75},  {PictureId::Image32, 209, 75},  {PictureId::Image33, 167, 126},
      {PictureId::Image34, 252, 97},  {PictureId::Image35, 252, 96},  {PictureId::Image36, 252, 96},
      {PictureId::Image37, 70, 107},  {PictureId::Image38, 64, 107},  {PictureId::Image40, 70, 107},
  };
  ASSERT_EQ(std::size(cases), static_cast<size_t>(kPictureCount));
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(std::string(NameOf(c.id)));
    EXPECT_EQ(GetPicture(c.id).id, c.id);
    EXPECT_EQ(R(c.id).width, c.width);
    EXPECT_EQ(R(c.id).height, c.height);
    EXPECT_EQ(R(c.id).pixels.size(), static_cast<size_t>(c.width) * c.height);
    EXPECT_EQ(SizeOf(c.id).width, c.width);
    EXPECT_EQ(SizeOf(c.id).height, c.height);
    EXPECT_EQ(PictureNamed(NameOf(c.id)), c.id);
  }
}

TEST(Pictures, UseOnlyTheThirteenColours) {
  const std::set<Pixel> palette = {kBackground, kBlack,  kWhite,   kRed,    kBlue,
                                   kYellow,     kMagenta, kCrimson, kGreen,  kSkyBlue,
                                   kOrange,     kBrown,   kPurple};
  for (PictureId id : AllPictures()) {
    SCOPED_TRACE(std::string(NameOf(id)));
    int strays = 0;
    for (Pixel p : R(id).pixels) strays += palette.count(p) == 0;
    EXPECT_EQ(strays, 0);
  }
}

// Each picture shows the colours its figure is made of; a lost recolouring or a
// figure drawn in the wrong colour shows up here.
TEST(Pictures, ShowTheColoursOfTheirFigures) {
  struct Case {
    PictureId id;
    std::vector<Pixel> colours;
    std::vector<Pixel> absent;
  };
  const Case cases[] = {
      {PictureId::Image1, {kRed, kBlack, kBackground}, {kBlue}},
      {PictureId::Image2, {kBlue, kBlack, kBackground}, {kRed}},
      {PictureId::Image3, {kBlue, kBlack}, {kRed}},
      {PictureId::Image7, {kRed, kBlack}, {kBlue}},
      {PictureId::Image8, {kBlue, kBlack}, {kRed}},
      {PictureId::Image15, {kMagenta, kBlack}, {}},
      {PictureId::Image16, {kYellow, kBlack}, {}},
      {PictureId::Image17, {kGreen, kMagenta, kBrown, kBlack}, {}},
      {PictureId::Image18, {kMagenta, kGreen}, {}},
      {PictureId::Image22, {kRed, kBlue, kYellow, kMagenta, kCrimson, kGreen, kSkyBlue, kBlack}, {}},
      {PictureId::Image23, {kBlue, kOrange, kBlack}, {kRed}},
      {PictureId::Image25, {kRed, kOrange, kBlack}, {kBlue}},
      {PictureId::Image29, {kBlue, kYellow, kOrange, kBlack}, {}},
      {PictureId::Image31, {kRed, kYellow, kOrange, kBlack}, {}},
      {PictureId::Image33, {kMagenta, kBlack}, {}},
      {PictureId::Image34, {kGreen, kPurple, kOrange, kBrown, kBlack}, {}},
      {PictureId::Image36, {kGreen, kPurple, kBrown}, {kOrange}},
      {PictureId::Image37, {kBlack, kWhite, kOrange}, {}},
      {PictureId::Image38, {kBlack, kOrange}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(NameOf(c.id)));
    const std::set<Pixel> used(R(c.id).pixels.begin(), R(c.id).pixels.end());
    for (Pixel colour : c.colours) EXPECT_EQ(used.count(colour), 1u) << std::hex << colour;
    for (Pixel colour : c.absent) EXPECT_EQ(used.count(colour), 0u) << std::hex << colour;
  }
  // The walker is drawn in black lines only.
  for (PictureId walker : {PictureId::Image19, PictureId::Image20}) {
    const std::set<Pixel> used(R(walker).pixels.begin(), R(walker).pixels.end());
    EXPECT_EQ(used, (std::set<Pixel>{kBackground, kBlack})) << NameOf(walker);
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
  EXPECT_EQ(R(PictureId::Image8).pixels, Swapped(R(PictureId::Image7), kRed, kBlue).pixels);
  EXPECT_EQ(R(PictureId::Image10).pixels, Swapped(R(PictureId::Image9), kRed, kBlue).pixels);
}

TEST(Pictures, TheUfoIsTheSaucerInRedWithOneMoreGreyRow) {
  const Raster& ufo = R(PictureId::Image1);
  const Raster red = Swapped(R(PictureId::Image2), kBlue, kRed);
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
