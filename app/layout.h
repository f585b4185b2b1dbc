#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGui/qrgb.h>

#include <array>

// Where every control of the main window lies, in pixels. Positions of the
// controls inside Picture2 are also positions in the scene's own pixels, since
// Picture2 draws the scene at its top-left corner. Nothing moves at run time;
// the only change of size is an image taking the size of its picture.
namespace dalmiro::layout {

// The window's inner area; the user cannot resize it.
inline constexpr QSize kWindowSize{797, 601};

// The two picture frames, without borders. Picture1 backs the whole window
// and is cut off at its right and bottom; Picture2 starts 8 pixels left of
// it, so the scene's 8 leftmost columns are never seen.
inline constexpr QRect kPicture1{0, 0, 945, 633};
inline constexpr QRect kPicture2{-8, 0, 809, 937};

// The button and the red band round it, 8 pixels wider on every side.
inline constexpr QRect kCommand1{488, 536, 105, 33};
inline constexpr QRect kShape1{480, 528, 121, 49};
inline constexpr QRgb kShape1Fill = qRgb(192, 0, 0);

// The circle that marks the jolly, centred on the plate of the jolly ball.
inline constexpr QRect kCerchio{659, 235, 25, 23};
inline constexpr QRgb kCerchioFill = qRgb(192, 255, 192);

// An image's box until it is given a picture; every ball picture is smaller
// (45 x 46) and the image then takes the picture's size.
inline constexpr QSize kImageBox{57, 57};
// A number label's box; the caption is cut off at its edges.
inline constexpr QSize kLabelBox{25, 25};

inline constexpr int kSlotCount = 48;
inline constexpr int kEstrattoCount = 6;
inline constexpr int kNumeriCount = 7;

// The ball slots image1(0) to image1(47): the drum's heap in five staggered
// rows (0-8, 9-16, 17-23, 24-28, 29-30), the exit in the neck (31), and the
// chute: up the neck (32), along the top (33-39) and down the right (40-47).
// clang-format off
inline constexpr std::array<QPoint, kSlotCount> kSlots{{
    // drum, row 1 (bottom)
    {24, 323}, {80, 323}, {136, 323}, {192, 323}, {248, 323}, {304, 323}, {360, 323}, {416, 323},
    {472, 323},
    // drum, row 2
    {40, 272}, {96, 272}, {152, 272}, {208, 272}, {264, 272}, {320, 272}, {376, 272}, {432, 272},
    // drum, row 3
    {72, 224}, {128, 224}, {184, 224}, {240, 224}, {296, 224}, {352, 224}, {408, 224},
    // drum, row 4
    {112, 176}, {168, 176}, {224, 176}, {280, 176}, {336, 176},
    // drum, row 5 (top)
    {208, 128}, {264, 128},
    // the drum's exit in the neck, the chute's first place
    {240, 80},
    // the chute: the corner at the top of the neck, then the top run
    {240, 10}, {296, 10}, {344, 10}, {400, 10}, {456, 10}, {512, 10}, {576, 10}, {640, 10},
    // the chute's right run, ending one place above the lowest result ball
    {648, 80}, {648, 144}, {648, 224}, {648, 288}, {648, 328}, {648, 384}, {648, 424}, {648, 464},
}};
// clang-format on

// The result column, bottom up in the order the balls come out: estratto(0)
// beside the scene's rank "1" up to estratto(5) beside "6"; the jolly above.
inline constexpr std::array<QPoint, kEstrattoCount> kEstratto{
    {{648, 517}, {648, 472}, {648, 427}, {648, 383}, {648, 337}, {648, 293}}};
inline constexpr QPoint kJolly{648, 223};
// The whole column, from the jolly's top to the foot of its grey panel: where
// a right-click offers to copy the numbers.
inline constexpr QRect kResultColumn{645, 223, 52, 341};

// The number labels numeri(0) to numeri(6), each on the plate of its ball
// (numeri(6) on the jolly).
inline constexpr std::array<QPoint, kNumeriCount> kNumeri{{
    {658, 533},
    {659, 487},
    {658, 443},
    {659, 399},
    {659, 353},
    {659, 309},
    {659, 239},
}};

// The labels' font: 8.25 points at 96 dots per inch, given in pixels so that
// the digits keep their size on every screen.
inline constexpr int kLabelFontPixels = 11;

// The windowless controls from the bottom up; a later entry is drawn over an
// earlier one where they overlap. The button lies above all of them.
enum class Control
{
    Shape1,
    Estratto,
    Jolly,
    Numeri,
    Cerchio,
    Image1
};
struct StackEntry
{
    Control control;
    int index = 0;
};
inline constexpr int kStackedCount = 1 + kEstrattoCount + 1 + kNumeriCount + 1 + kSlotCount;
inline constexpr std::array<StackEntry, kStackedCount> kStacking = [] {
    std::array<StackEntry, kStackedCount> order{};
    int n = 0;
    order[n++] = {Control::Shape1};
    for (int k : {0, 2, 1, 3, 4, 5})
        order[n++] = {Control::Estratto, k};
    order[n++] = {Control::Jolly};
    for (int k = 0; k < 6; ++k)
        order[n++] = {Control::Numeri, k};
    order[n++] = {Control::Cerchio};
    order[n++] = {Control::Numeri, 6};
    for (int i = 0; i < kSlotCount; ++i)
        order[n++] = {Control::Image1, i};
    return order;
}();

// What the controls hold at start.
inline constexpr const char *kCommand1Caption = "Gioca Ora";
inline constexpr const char *kNumeriStartCaption = "20";

} // namespace dalmiro::layout
