#pragma once

#include <string>

#include "tests/e2e/stage_shot.h"

namespace animatsiya::e2e {

// The menu item's object name for scene 1 to 6.
std::string SceneItem(int scene);

// What is true of a scene's picture on every tick once it has run a few ticks: its own
// sprites in their colours where it puts them, its caption and lines, and nothing of the
// other scenes. Returns what is wrong, or an empty string.
std::string CheckScene(int scene, const StageShot& shot);

// The caption's rectangle shows exactly this text as the program draws it.
std::string CheckCaption(const StageShot& shot, const char* utf8Text);

}  // namespace animatsiya::e2e
