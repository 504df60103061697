#include "editor/FontUnits.h"

#include <cmath>
#include <cstdint>

int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = (c < 0 ? -c : c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -c : c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int DialogCellHeight(int twips, int pixelsPerInch) { return twips * pixelsPerInch / 72 / 20; }

int ChosenCharHeight(double points, int pixelsPerInch) {
  return -static_cast<int>(std::lround(points * pixelsPerInch / 72.0));
}

int TwipsFromChosenHeight(int chosenHeight, int pixelsPerInch) {
  return -MulDiv(chosenHeight, 72, pixelsPerInch) * 20;
}
