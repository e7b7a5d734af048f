#pragma once

#include "app/int16.h"

namespace animatsiya {

// Every variable of the animation, in one record owned by the main window. The scene steps
// read and write their fields directly; all start at 0 and StartUp gives the start values.
struct AnimationState {
  Int16 ufoX;
  Int16 saucer1X;
  Int16 saucer2X;
  Int16 saucer3X;
  Int16 ufoY;
  Int16 saucer1Y;
  Int16 saucer2Y;
  Int16 saucer3Y;
  Int16 ufoDirX;
  Int16 ufoDirY;
  Int16 ball1X;
  Int16 ball2X;
  Int16 walkerX;
  Int16 treeX;
  Int16 manX;
  Int16 womanX;
  Int16 draggerX;
  Int16 reaperX;
  Int16 targetX;
  Int16 sightX;
  Int16 ball1Y;
  Int16 ball2Y;
  Int16 manY;
  Int16 womanY;
  Int16 draggerY;
  Int16 reaperY;
  Int16 targetY;
  Int16 sightY;
  Int16 ball2DirX;
  Int16 ball2DirY;
  Int16 ball1DirX;
  Int16 ball1DirY;
  Int16 saucer1DirY;
  Int16 saucer2DirY;
  Int16 saucer3DirY;
  Int16 saucer1Tick;
  Int16 saucer2Tick;
  Int16 saucer3Tick;
  Int16 saucer1StopX;
  Int16 saucer2StopX;
  Int16 saucer3StopX;
  Int16 eurekaTick;
  Int16 walkerStep;
  Int16 heavenTick;
  Int16 deathTick;
  Int16 sightTick;
  Int16 coupleStep;
  Int16 draggerStep;
  Int16 currentScene;
  Int16 titleTick;
};

struct FieldInfo {
  const char* name;
  Int16 AnimationState::*member;
};

// The fields by name, in the record's order; the trace tool and the tests walk them.
inline constexpr FieldInfo kFields[] = {
    {"ufoX", &AnimationState::ufoX},
    {"saucer1X", &AnimationState::saucer1X},
    {"saucer2X", &AnimationState::saucer2X},
    {"saucer3X", &AnimationState::saucer3X},
    {"ufoY", &AnimationState::ufoY},
    {"saucer1Y", &AnimationState::saucer1Y},
    {"saucer2Y", &AnimationState::saucer2Y},
    {"saucer3Y", &AnimationState::saucer3Y},
    {"ufoDirX", &AnimationState::ufoDirX},
    {"ufoDirY", &AnimationState::ufoDirY},
    {"ball1X", &AnimationState::ball1X},
    {"ball2X", &AnimationState::ball2X},
    {"walkerX", &AnimationState::walkerX},
    {"treeX", &AnimationState::treeX},
    {"manX", &AnimationState::manX},
    {"womanX", &AnimationState::womanX},
    {"draggerX", &AnimationState::draggerX},
    {"reaperX", &AnimationState::reaperX},
    {"targetX", &AnimationState::targetX},
    {"sightX", &AnimationState::sightX},
    {"ball1Y", &AnimationState::ball1Y},
    {"ball2Y", &AnimationState::ball2Y},
    {"manY", &AnimationState::manY},
    {"womanY", &AnimationState::womanY},
    {"draggerY", &AnimationState::draggerY},
    {"reaperY", &AnimationState::reaperY},
    {"targetY", &AnimationState::targetY},
    {"sightY", &AnimationState::sightY},
    {"ball2DirX", &AnimationState::ball2DirX},
    {"ball2DirY", &AnimationState::ball2DirY},
    {"ball1DirX", &AnimationState::ball1DirX},
    {"ball1DirY", &AnimationState::ball1DirY},
    {"saucer1DirY", &AnimationState::saucer1DirY},
    {"saucer2DirY", &AnimationState::saucer2DirY},
    {"saucer3DirY", &AnimationState::saucer3DirY},
    {"saucer1Tick", &AnimationState::saucer1Tick},
    {"saucer2Tick", &AnimationState::saucer2Tick},
    {"saucer3Tick", &AnimationState::saucer3Tick},
    {"saucer1StopX", &AnimationState::saucer1StopX},
    {"saucer2StopX", &AnimationState::saucer2StopX},
    {"saucer3StopX", &AnimationState::saucer3StopX},
    {"eurekaTick", &AnimationState::eurekaTick},
    {"walkerStep", &AnimationState::walkerStep},
    {"heavenTick", &AnimationState::heavenTick},
    {"deathTick", &AnimationState::deathTick},
    {"sightTick", &AnimationState::sightTick},
    {"coupleStep", &AnimationState::coupleStep},
    {"draggerStep", &AnimationState::draggerStep},
    {"currentScene", &AnimationState::currentScene},
    {"titleTick", &AnimationState::titleTick},
};

static_assert(sizeof(kFields) / sizeof(kFields[0]) == 50);
static_assert(sizeof(AnimationState) == 50 * sizeof(Int16));

}  // namespace animatsiya
