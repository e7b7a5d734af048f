#include "stage/sprite_table.h"

#include <cstdlib>

namespace animatsiya {

using P = PictureId;

const DesignRow kSpriteTable[kElementCount] = {
    {Image40, "Image40", 360, 4080, 1050, 1605, false, P::Image40},
    {Image39, "Image39", 8040, 2400, 2895, 1095, true, std::nullopt},
    {Image38, "Image38", 1440, 6960, 960, 1605, false, P::Image38},
    {Image37, "Image37", 360, 6960, 1050, 1605, true, P::Image37},
    {Image36, "Image36", 5160, 3480, 3780, 1440, false, P::Image36},
    {Image35, "Image35", 5160, 3000, 3780, 1440, false, P::Image35},
    {Image34, "Image34", 5160, 2520, 3780, 1455, false, P::Image34},
    {Image33, "Image33", 3840, 360, 2505, 1890, true, P::Image33},
    {Image32, "Image32", 6120, 4800, 3135, 1125, false, P::Image32},
    {Image31, "Image31", 6120, 4560, 3135, 1125, false, P::Image31},
    {Image30, "Image30", 2880, 4800, 3120, 1410, false, P::Image30},
    {Image29, "Image29", 2880, 4560, 3120, 1410, false, P::Image29},
    {Image28, "Image28", 9600, 6120, 1815, 2415, true, std::nullopt},
    {Image27, "Image27", 7560, 6120, 1815, 2415, true, std::nullopt},
    {Image26, "Image26", 5760, 6240, 1770, 2580, false, P::Image26},
    {Image25, "Image25", 4800, 6120, 1770, 2580, false, P::Image25},
    {Image24, "Image24", 3960, 6120, 1785, 2580, false, P::Image24},
    {Image23, "Image23", 3120, 6120, 1785, 2580, false, P::Image23},
    {Label1, "Label1", 120, 0, 5775, 615, true, std::nullopt},
    {Image22, "Image22", 2040, 600, 6870, 1545, true, P::Image22},
    {Image21, "Image21", 4320, 7560, 615, 975, true, std::nullopt},
    {Image20, "Image20", 3600, 7560, 585, 1005, true, P::Image20},
    {Image19, "Image19", 2880, 7560, 585, 1005, true, P::Image19},
    {Image18, "Image18", 480, 3600, 150, 120, true, P::Image18},
    {Image17, "Image17", 360, 5640, 2055, 2940, true, P::Image17},
    {Image16, "Image16", 1920, 840, 480, 435, true, P::Image16},
    {Image15, "Image15", 1200, 840, 540, 495, true, P::Image15},
    {Image14, "Image14", 6120, 840, 1455, 255, true, std::nullopt},
    {Image13, "Image13", 6120, 360, 1455, 255, true, std::nullopt},
    {Image12, "Image12", 5520, 360, 255, 1215, true, std::nullopt},
    {Image11, "Image11", 5040, 360, 255, 1215, true, std::nullopt},
    {Image10, "Image10", 4440, 240, 255, 1380, true, P::Image10},
    {Image9, "Image9", 4080, 240, 255, 1380, true, P::Image9},
    {Image8, "Image8", 2640, 240, 1365, 255, true, P::Image8},
    {Image7, "Image7", 1080, 240, 1365, 255, true, P::Image7},
    {Image6, "Image6", 5040, 3240, 1095, 855, true, std::nullopt},
    {Image5, "Image5", 3720, 3240, 975, 855, true, std::nullopt},
    {Image4, "Image4", 2160, 2880, 1020, 765, false, P::Image4},
    {Image3, "Image3", 3720, 2160, 1125, 810, false, P::Image3},
    {Image2, "Image2", 2160, 1920, 1020, 765, true, P::Image2},
    {Image1, "Image1", 480, 1800, 1020, 780, true, P::Image1},
};

const DesignRow& DesignRowOf(ElementId id) {
  for (const DesignRow& row : kSpriteTable) {
    if (row.id == id) return row;
  }
  std::abort();  // every ElementId has its row
}

std::string_view ElementName(ElementId id) { return DesignRowOf(id).name; }

}  // namespace animatsiya
