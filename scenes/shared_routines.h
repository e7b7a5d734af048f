#pragma once

#include "app/animation_state.h"
#include "app/int16.h"
#include "stage/stage.h"

namespace animatsiya {

// One axis of a bouncing figure: 130 twips in the direction of its flag (0 decreasing,
// 1 increasing), then, on the new value, a turn back at or beyond `turnBackAt` and a turn
// forward at or below `turnForwardAt`.
void BounceStep(Int16& position, Int16& direction, int turnBackAt, int turnForwardAt);

// The UFO's bounce step: 130 twips along each axis, turning once it has passed a bound.
// Touches no sprite; the caller places Image1.
void MoveUfo(AnimationState& s, int yLimit);

// A thick beam: 60 one-pixel lines, each one twip further right and down.
void DrawBeam(Stage& stage, Int16 x1, Int16 y1, Int16 x2, Int16 y2);

// The visibility groups: fixed lists of sprites that the steps hide or show together.
void ShowBallGroup(Stage& stage, bool visible);
void HideEurekaGroup(Stage& stage);
void HideHeavenGroup(Stage& stage);
void HideSaucers(Stage& stage);
void HideDeathGroup(Stage& stage);
void SetTitleHideTarget(Stage& stage, bool visible);

}  // namespace animatsiya
