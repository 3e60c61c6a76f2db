#pragma once
// Window and picture positions are kept in twips (1/1440 inch) and turned into pixels when laid
// out.

#include <QRect>
#include <cmath>

inline constexpr double kTwipsPerInch = 1440.0;

struct TwipsScale {
    double pixelsPerTwip = 1.0 / 15.0; // 96 dpi

    int Px(int twips) const { return static_cast<int>(std::lround(twips * pixelsPerTwip)); }
    double PxF(int twips) const { return twips * pixelsPerTwip; }
    QRect Rect(int left, int top, int width, int height) const {
        return {Px(left), Px(top), Px(left + width) - Px(left), Px(top + height) - Px(top)};
    }
};

inline constexpr int kClientWidthTwips = 11280;
inline constexpr int kClientHeightTwips = 6030;
