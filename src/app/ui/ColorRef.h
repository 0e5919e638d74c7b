#pragma once

#include <QColor>

#include <cstdint>

// Colours as profiles and the directory list keep them (0x00BBGGRR) and as Qt
// draws them.
inline QColor fromColorRef(std::uint32_t color)
{
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
        static_cast<int>((color >> 16) & 0xFFu));
}

inline std::uint32_t toColorRef(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8)
        | (static_cast<std::uint32_t>(color.blue()) << 16);
}
