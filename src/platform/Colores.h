#pragma once
#include <cstdint>

namespace renglero {

// 0xRRGGBB.
using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
    return (static_cast<Color>(r) << 16) | (static_cast<Color>(g) << 8) | static_cast<Color>(b);
}

// The classic 16-colour palette, numbered 0 to 15.
constexpr Color colorPaleta(int n) {
    constexpr Color paleta[16] = {
        rgb(0, 0, 0),       rgb(0, 0, 128),   rgb(0, 128, 0),   rgb(0, 128, 128),
        rgb(128, 0, 0),     rgb(128, 0, 128), rgb(128, 128, 0), rgb(192, 192, 192),
        rgb(128, 128, 128), rgb(0, 0, 255),   rgb(0, 255, 0),   rgb(0, 255, 255),
        rgb(255, 0, 0),     rgb(255, 0, 255), rgb(255, 255, 0), rgb(255, 255, 255)};
    return paleta[n & 15];
}

} // namespace renglero
