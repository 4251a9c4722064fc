#pragma once

#include <QRect>
#include <QSize>

// The window designs are measured in twips; 15 twips make one logical pixel.
namespace twips {

constexpr int toPixels(int twips) { return (twips + 7) / 15; }

constexpr QSize size(int width, int height) { return {toPixels(width), toPixels(height)}; }

constexpr QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace twips
