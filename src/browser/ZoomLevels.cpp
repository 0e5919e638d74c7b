#include "browser/ZoomLevels.h"

#include <array>
#include <cmath>

namespace {

// The steps a desktop browser offers; the page's own size is among them.
constexpr std::array<double, 17> kSteps = { 0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75,
    2.0, 2.5, 3.0, 4.0, 5.0 };
// A factor this close to a step is on it (factors read back from a page are rounded).
constexpr double kSameStep = 0.005;

} // namespace

double zoomedIn(double factor)
{
    for (const double step : kSteps) {
        if (step > factor + kSameStep)
            return step;
    }
    return kSteps.back();
}

double zoomedOut(double factor)
{
    for (auto step = kSteps.rbegin(); step != kSteps.rend(); ++step) {
        if (*step < factor - kSameStep)
            return *step;
    }
    return kSteps.front();
}

int zoomPercent(double factor)
{
    return static_cast<int>(std::lround(factor * 100.0));
}
