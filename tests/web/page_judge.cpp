// The browser test's native half: it tells the test the captions the page must show, and
// judges the page's screenshots with the desktop end-to-end test's own rules.
//
//   web_page_judge menus                   the title and menus as JSON, from the one table
//   web_page_judge scene K SHOT.png X Y    the stage at device pixel (X, Y) looks like scene K
//   web_page_judge palette SHOT.png X Y W H  the rectangle holds only the artwork's colours
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "app/menus.h"
#include "tests/e2e/scene_looks.h"
#include "tests/e2e/stage_shot.h"

namespace {

using namespace animatsiya;

std::string Json(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

int Menus() {
  std::string scenes, speeds;
  for (const std::string_view caption : kSceneCaptions) scenes += (scenes.empty() ? "" : ",") + Json(caption);
  for (const SpeedItem& item : kSpeedItems) speeds += (speeds.empty() ? "" : ",") + Json(item.caption);
  std::cout << "{\"title\":" << Json(kWindowTitle) << ",\"menus\":[{\"caption\":"
            << Json(kSceneMenuCaption) << ",\"items\":[" << scenes << "]},{\"caption\":"
            << Json(kSpeedMenuCaption) << ",\"items\":[" << speeds << "]}]}\n";
  return 0;
}

int Judge(const std::string& problem) {
  if (problem.empty()) return 0;
  std::cout << problem << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto number = [&](std::size_t i) { return std::stoi(args.at(i)); };
  try {
    if (args.size() == 1 && args[0] == "menus") return Menus();
    QGuiApplication app(argc, argv);
    if (args.size() == 5 && args[0] == "scene") {
      const QImage shot(QString::fromStdString(args[2]));
      const QImage stage = shot.copy(number(3), number(4), kStageWidth, kStageHeight)
                               .convertToFormat(QImage::Format_RGB32);
      return Judge(e2e::CheckScene(number(1), e2e::StageShot(stage)));
    }
    if (args.size() == 6 && args[0] == "palette") {
      const QImage shot = QImage(QString::fromStdString(args[1])).convertToFormat(QImage::Format_RGB32);
      long foreign = 0;
      for (int y = number(3); y < number(3) + number(5); ++y) {
        for (int x = number(2); x < number(2) + number(4); ++x) {
          foreign += e2e::Classify(shot.pixel(x, y)) == e2e::Colour::Other;
        }
      }
      return Judge(foreign == 0 ? "" : std::to_string(foreign) + " pixels outside the palette");
    }
  } catch (const std::exception&) {
  }
  std::cerr << "usage: web_page_judge menus | scene K SHOT.png X Y | palette SHOT.png X Y W H\n";
  return 2;
}
