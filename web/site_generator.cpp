// Writes the page's generated files: index.html from its template, with the title and the
// menu bar made from the one list of captions, and the favicon drawn from the UFO as the
// window's icon is. The web build runs it under Node.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "app/icon_raster.h"
#include "app/menus.h"
#include "pixels/geometry.h"
#include "web/png_file.h"

namespace animatsiya {
namespace {

constexpr int kFaviconSize = 72;

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

// An item as a screen reader and the script know it: role, name, and what it commands.
std::string Item(std::string_view caption, std::string_view command) {
  return "      <li role=\"none\"><span role=\"menuitem\" tabindex=\"-1\" id=\"" +
         Escaped(ItemName(caption)) + "\" " + std::string(command) + ">" + Escaped(caption) +
         "</span></li>\n";
}

std::string Menu(std::string_view caption, bool first, const std::string& items) {
  const std::string id = Escaped(ItemName(caption));
  return "  <li role=\"none\"><span role=\"menuitem\" tabindex=\"" + std::string(first ? "0" : "-1") +
         "\" id=\"" + id + "\" aria-haspopup=\"menu\" aria-expanded=\"false\">" + Escaped(caption) +
         "</span>\n    <ul role=\"menu\" aria-labelledby=\"" + id + "\" hidden>\n" + items +
         "    </ul>\n  </li>\n";
}

std::string MenuBar() {
  std::string scenes;
  for (std::size_t k = 1; k <= kSceneCaptions.size(); ++k) {
    scenes += Item(kSceneCaptions[k - 1], "data-scene=\"" + std::to_string(k) + "\"");
  }
  std::string speeds;
  for (const SpeedItem& item : kSpeedItems) {
    speeds += Item(item.caption, item.speed == Speed::Fast ? "data-speed=\"fast\""
                                                           : "data-speed=\"normal\"");
  }
  return "<ul role=\"menubar\" aria-label=\"" + Escaped(kWindowTitle) + "\">\n" +
         Menu(kSceneMenuCaption, true, scenes) + Menu(kSpeedMenuCaption, false, speeds) + "</ul>";
}

bool Replace(std::string& text, std::string_view placeholder, const std::string& value) {
  const std::size_t at = text.find(placeholder);
  if (at == std::string::npos) return false;
  text.replace(at, placeholder.size(), value);
  return true;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  out.close();
  return static_cast<bool>(out);
}

int Fail(const std::string& message) {
  std::cerr << "animatsiya-site: " << message << '\n';
  return 1;
}

}  // namespace
}  // namespace animatsiya

int main(int argc, char** argv) {
  using namespace animatsiya;
  if (argc != 3) return Fail("usage: animatsiya-site TEMPLATE OUTPUT_DIR");
  const std::string directory = argv[2];

  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream page;
  page << in.rdbuf();
  if (!in) return Fail(std::string("cannot read '") + argv[1] + "'");
  std::string html = page.str();
  for (const auto& [placeholder, value] :
       {std::pair<std::string_view, std::string>{"@TITLE@", Escaped(kWindowTitle)},
        {"@MENUBAR@", MenuBar()},
        {"@STAGE_WIDTH@", std::to_string(kStageWidth)},
        {"@STAGE_HEIGHT@", std::to_string(kStageHeight)}}) {
    if (!Replace(html, placeholder, value)) {
      return Fail(std::string("'") + argv[1] + "' has no " + std::string(placeholder));
    }
  }
  if (!WriteFile(directory + "/index.html", html)) return Fail("cannot write index.html");

  const std::optional<Raster> icon = AppIconRaster(kFaviconSize);
  if (!icon || !WriteFile(directory + "/favicon.png", EncodePng(*icon))) {
    return Fail("cannot write favicon.png");
  }
  return 0;
}
