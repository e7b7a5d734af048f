#pragma once

#include <string_view>

#include "stage/sprite_table.h"

namespace animatsiya {

// The texts the scenes show in the caption label. The eureka scene shows the label's
// start text again, "Как Ньютон открыл закон физики".
inline constexpr std::string_view kNewtonCaption = kStartCaption;

// The sight scene's title.
struct TitleCaption {
  int titleTick;
  std::string_view caption;
};

// The title typed letter by letter; the spaces get a tick of their own, and "а" comes
// two ticks after "н", not three.
inline constexpr TitleCaption kTitleCaptions[] = {
    {2, "П"},
    {5, "Пр"},
    {8, "При"},
    {11, "Прик"},
    {14, "Прико"},
    {17, "Прикол"},
    {20, "Прикол "},
    {23, "Прикол н"},
    {25, "Прикол на"},
    {28, "Прикол над"},
    {31, "Прикол над "},
    {34, "Прикол над н"},
    {37, "Прикол над нл"},
    {40, "Прикол над нло"},
};

inline constexpr std::string_view kSightTitle = "Прикол над нло";

}  // namespace animatsiya
