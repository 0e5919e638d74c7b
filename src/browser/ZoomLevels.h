#pragma once

// The zoom of a page as a factor: 1.0 shows it at its own size.
inline constexpr double kDefaultZoom = 1.0;

// The next larger of the browser's zoom steps (25% to 500%); the largest stays.
double zoomedIn(double factor);
// The next smaller step; the smallest stays.
double zoomedOut(double factor);
// The factor as a whole percentage: 1.25 is 125.
int zoomPercent(double factor);
