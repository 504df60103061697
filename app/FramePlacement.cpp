#include "app/FramePlacement.h"

#include <cstdint>

namespace {

// Sums in 64 bits: stored values may be anywhere in the int range.
bool Visible(WindowPoint at, WindowExtent size, int screenWidth, int screenHeight) {
  return at.x <= screenWidth && at.y <= screenHeight && std::int64_t{size.width} + at.x > 0 &&
         std::int64_t{size.height} + at.y > 0;
}

int Centred(int screen, int window) {
  return static_cast<int>((std::int64_t{screen} - window) / 2);
}

}  // namespace

StartupPlacement ComputeStartupPlacement(const PlacementSettings& s, int screenWidth,
                                         int screenHeight) {
  StartupPlacement placement;
  if (s.size == 0)
    placement.size = WindowExtent{640, 480};
  else if (s.size == 2 || s.size == 3)
    placement.size = WindowExtent{s.width, s.height};

  if (s.position == 0 && placement.size)
    placement.position = WindowPoint{Centred(screenWidth, placement.size->width),
                                     Centred(screenHeight, placement.size->height)};
  else if (s.position == 2 || s.position == 3)
    placement.position = WindowPoint{s.x, s.y};

  if (placement.position) {
    // A size of the platform's choosing is not known yet: keep the corner on screen.
    const WindowExtent size = placement.size.value_or(WindowExtent{1, 1});
    if (!Visible(*placement.position, size, screenWidth, screenHeight)) placement.position.reset();
  }
  return placement;
}
