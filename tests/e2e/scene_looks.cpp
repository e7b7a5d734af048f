#include "tests/e2e/scene_looks.h"

#include <QGuiApplication>

#include <algorithm>
#include <sstream>

#include "stage/caption_look.h"

namespace animatsiya::e2e {
namespace {

constexpr const char* kSceneItems[] = {"Нло", "Шарик", "Эврика", "Врай", "Смертьструпом", "Прицел"};

// Places in pixels, from the scenes' fixed twips.
constexpr Rect kCaptionArea{120 / kTwipsPerPixel, 0, kCaptionWidth, kCaptionHeight};
// The tree stands at left 3000 (treeX), top 5640; the apple falls within it to top 8475,
// a row below the tree's foot.
constexpr Rect kTreeArea{3000 / kTwipsPerPixel, 5640 / kTwipsPerPixel, 137, 196};
constexpr Rect kAppleGround{kTreeArea.x, kTreeArea.y, kTreeArea.width, kTreeArea.height + 4};
constexpr Rect kBannerArea{2040 / kTwipsPerPixel, 600 / kTwipsPerPixel, 458, 103};
constexpr Rect kHeartArea{3840 / kTwipsPerPixel, 360 / kTwipsPerPixel, 167, 126};
// Left of the heart, where only the caption could show black in scene 4.
constexpr Rect kCaptionLeftOfHeart{kCaptionArea.x, 0, kHeartArea.x - kCaptionArea.x, kCaptionHeight};
// The dragger walks at top 7200 and the reaper stands at top 7000.
constexpr Rect kDeathGround{0, 7000 / kTwipsPerPixel, kStageWidth, kStageHeight - 7000 / kTwipsPerPixel};

// The paddles' lines (scene 2), a pixel wider on each side for the rounding of twips.
constexpr Rect Row(int topTwips, int height) {
  return {0, topTwips / kTwipsPerPixel - 1, kStageWidth, height + 2};
}
constexpr Rect Column(int leftTwips, int width) {
  return {leftTwips / kTwipsPerPixel - 1, 0, width + 2, kStageHeight};
}
constexpr Rect kRedBottom = Row(8200, 17), kRedTop = Row(20, 17);
constexpr Rect kRedRight = Column(11200, 17), kRedLeft = Column(50, 17);
constexpr Rect kBlueBottom = Row(7900, 17), kBlueTop = Row(330, 17);
constexpr Rect kBlueRight = Column(10900, 17), kBlueLeft = Column(350, 17);

class Findings {
 public:
  explicit Findings(const StageShot& shot) : shot_(shot) {}

  // Every colour outside grey, black and these is a leftover of another scene.
  void OnlyColours(std::initializer_list<Colour> own) {
    for (int c = 0; c < kColourCount; ++c) {
      const auto colour = static_cast<Colour>(c);
      if (colour == Colour::Grey || colour == Colour::Black) continue;
      if (std::find(own.begin(), own.end(), colour) != own.end()) continue;
      if (const long n = shot_.Count(colour); n > 0) Add() << n << " pixels of " << NameOf(colour);
    }
  }
  void AtLeast(Colour colour, long least, const Rect& area, const char* what) {
    if (const long n = shot_.Count(colour, area); n < least) {
      Add() << what << ": " << n << " pixels of " << NameOf(colour) << ", expected at least " << least;
    }
  }
  void AtMost(Colour colour, long most, const char* what) {
    if (const long n = shot_.Count(colour); n > most) {
      Add() << what << ": " << n << " pixels of " << NameOf(colour) << ", at most " << most
            << " (a trail?)";
    }
  }
  void NoneOutside(Colour colour, std::initializer_list<Rect> areas, const char* what) {
    if (const long n = shot_.CountOutside(colour, areas); n > 0) {
      Add() << n << " pixels of " << NameOf(colour) << " outside " << what;
    }
  }
  void NoLines() {
    if (const int rows = shot_.LineRows(), columns = shot_.LineColumns(); rows > 0 || columns > 0) {
      Add() << "crosshair-like black lines left over: " << rows << " rows, " << columns << " columns";
    }
  }
  void Lines() {
    if (const int rows = shot_.LineRows(), columns = shot_.LineColumns(); rows < 2 || columns < 2) {
      Add() << "no crosshair: " << rows << " black rows, " << columns << " black columns";
    }
  }
  void Note(const std::string& text) {
    if (!text.empty()) Add() << text;
  }
  std::string Text() const { return out_.str(); }

 private:
  std::ostringstream& Add() {
    if (out_.tellp() > 0) out_ << "; ";
    return out_;
  }
  const StageShot& shot_;
  std::ostringstream out_;
};

// The UFO is the only red thing in scenes 1, 5 and 6. Its bounds let it stand a little past
// the left edge and, in scene 1, the bottom edge, so at least half of it is always seen.
void Ufo(Findings& f) {
  const long red = PictureCount(PictureId::Image1, Colour::Red);
  f.AtLeast(Colour::Red, red / 2, kStageRect, "the UFO");
  f.AtMost(Colour::Red, red, "the UFO");
}

std::string UfoScene(const StageShot& shot) {
  Findings f(shot);
  f.OnlyColours({Colour::Red, Colour::Blue});
  Ufo(f);
  const long saucer = std::max(PictureCount(PictureId::Image2, Colour::Blue),
                               PictureCount(PictureId::Image3, Colour::Blue));
  f.AtMost(Colour::Blue, 3 * saucer, "three saucers");
  return f.Text();
}

std::string BallScene(const StageShot& shot) {
  Findings f(shot);
  f.OnlyColours({Colour::Red, Colour::Blue, Colour::Magenta, Colour::Yellow});
  // The yellow ball is frontmost and its turn points keep it wholly on the stage.
  const long yellow = PictureCount(PictureId::Image16, Colour::Yellow);
  f.AtLeast(Colour::Yellow, yellow, kStageRect, "the yellow ball");
  f.AtMost(Colour::Yellow, yellow, "the yellow ball");
  f.AtLeast(Colour::Magenta, 1, kStageRect, "the magenta ball");
  f.AtMost(Colour::Magenta, PictureCount(PictureId::Image15, Colour::Magenta), "the magenta ball");
  const long red = PictureCount(PictureId::Image7, Colour::Red);
  const long blue = PictureCount(PictureId::Image8, Colour::Blue);
  f.AtLeast(Colour::Red, red, kStageRect, "the red paddles");
  f.AtMost(Colour::Red, 2 * red + 2 * PictureCount(PictureId::Image9, Colour::Red), "the red paddles");
  f.AtLeast(Colour::Blue, blue, kStageRect, "the blue paddles");
  f.AtMost(Colour::Blue, 2 * blue + 2 * PictureCount(PictureId::Image10, Colour::Blue),
           "the blue paddles");
  f.NoneOutside(Colour::Red, {kRedBottom, kRedTop, kRedRight, kRedLeft}, "the red paddles' lines");
  f.NoneOutside(Colour::Blue, {kBlueBottom, kBlueTop, kBlueRight, kBlueLeft},
                "the blue paddles' lines");
  f.NoLines();
  return f.Text();
}

std::string EurekaScene(const StageShot& shot) {
  Findings f(shot);
  f.OnlyColours({Colour::Green, Colour::Magenta, Colour::Brown, Colour::Red, Colour::Blue,
                 Colour::Yellow, Colour::Crimson, Colour::SkyBlue});
  // The man walks in front of the tree and can hide all of the trunk but its foot.
  f.AtLeast(Colour::Green, PictureCount(PictureId::Image17, Colour::Green) * 6 / 10, kTreeArea,
            "the tree's crown");
  f.AtLeast(Colour::Brown, 10, kTreeArea, "the tree's trunk");
  f.NoneOutside(Colour::Brown, {kTreeArea}, "the tree");
  f.NoneOutside(Colour::Green, {kAppleGround, kBannerArea}, "the tree, the apple and the banner");
  f.NoneOutside(Colour::Magenta, {kAppleGround, kBannerArea}, "the tree, the apple and the banner");
  for (Colour letters : {Colour::Red, Colour::Blue, Colour::Yellow, Colour::Crimson, Colour::SkyBlue}) {
    f.NoneOutside(letters, {kBannerArea}, "the banner");
  }
  f.Note(CheckCaption(shot, "Как Ньютон открыл закон физики"));
  f.NoLines();
  return f.Text();
}

std::string HeavenScene(const StageShot& shot) {
  Findings f(shot);
  f.OnlyColours({Colour::Blue, Colour::Orange, Colour::Red, Colour::Yellow, Colour::Magenta});
  // The couple's skin or the heart is seen on every tick but the last and first of a loop.
  if (shot.Count(Colour::Orange) + shot.Count(Colour::Magenta) < 100) {
    f.Note("neither the couple nor the heart");
  }
  f.NoneOutside(Colour::Magenta, {kHeartArea}, "the heart");
  if (const long n = shot.Count(Colour::Black, kCaptionLeftOfHeart); n > 0) {
    f.Note(std::to_string(n) + " black pixels where the hidden caption stood");
  }
  f.NoLines();
  return f.Text();
}

std::string DeathScene(const StageShot& shot) {
  Findings f(shot);
  f.OnlyColours({Colour::Red, Colour::Green, Colour::Orange, Colour::Purple, Colour::White,
                 Colour::Brown});
  Ufo(f);
  // The man's tunic and the corpse stay on the ground.
  f.NoneOutside(Colour::Green, {kDeathGround}, "the dragger's ground");
  f.NoneOutside(Colour::Purple, {kDeathGround}, "the dragger's ground");
  return f.Text();
}

std::string SightScene(const StageShot& shot) {
  Findings f(shot);
  f.OnlyColours({Colour::Red, Colour::Orange, Colour::White});
  f.AtMost(Colour::Red, PictureCount(PictureId::Image1, Colour::Red), "the UFO");
  f.Lines();
  return f.Text();
}

}  // namespace

const char* SceneItem(int scene) { return kSceneItems[scene - 1]; }

std::string CheckScene(int scene, const StageShot& shot) {
  if (!shot.valid()) return "no screenshot of the stage";
  switch (scene) {
    case 1: return UfoScene(shot);
    case 2: return BallScene(shot);
    case 3: return EurekaScene(shot);
    case 4: return HeavenScene(shot);
    case 5: return DeathScene(shot);
    case 6: return SightScene(shot);
    default: return "no scene " + std::to_string(scene);
  }
}

std::string CheckCaption(const StageShot& shot, const char* utf8Text) {
  // The program's caption, drawn here from the same built-in font.
  Raster expected(kCaptionWidth, kCaptionHeight, kBackground);
  DrawCaption(utf8Text, expected);
  long differing = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      differing += shot.pixel(kCaptionArea.x + x, y) != expected.at(x, y);
    }
  }
  if (differing == 0) return {};
  return "the caption \"" + std::string(utf8Text) + "\" differs in " + std::to_string(differing) +
         " pixels";
}

}  // namespace animatsiya::e2e
