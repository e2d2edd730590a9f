#include "render/draw_calendar.h"

// The photo layouts come with the images: until then their pages stay blank.
void DrawVerticalPhoto(platform::DrawSurface &, const LayoutInputs &, int, int, int, int, int, double) {}

void DrawHorizontalPhoto(platform::DrawSurface &, const LayoutInputs &, int, int, int, int, int, double) {}
