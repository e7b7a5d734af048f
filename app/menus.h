#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/animation.h"

namespace animatsiya {

// The window's title and its two menus, the one list of their captions: the Qt window,
// the web page, the tests and the tools all read them here.
inline constexpr std::string_view kWindowTitle = "Анимация";

inline constexpr std::string_view kSceneMenuCaption = "Меню";
// The scene items in the order of their scene numbers: item k - 1 chooses scene k.
inline constexpr std::array<std::string_view, 6> kSceneCaptions = {
    "Нло", "Шарик", "Эврика", "В рай", "Смерть с трупом", "Прицел"};

struct SpeedItem {
  std::string_view caption;
  Speed speed;
};
inline constexpr std::string_view kSpeedMenuCaption = "Скорость";
inline constexpr std::array<SpeedItem, 2> kSpeedItems = {{
    {"Нормальная", Speed::Normal},
    {"Быстрая", Speed::Fast},
}};

// An item's name is its caption's words run together, as "Врай" for "В рай".
inline std::string ItemName(std::string_view caption) {
  std::string name;
  for (char c : caption) {
    if (c != ' ') name += c;
  }
  return name;
}

}  // namespace animatsiya
