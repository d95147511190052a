#pragma once

#include <string_view>

#include "core/geom_segment.h"
#include "core/point2d.h"

class FcEntity;

// One pick of a drawn entity with the point it was picked at.
struct EntityPick {
  FcEntity* entity = nullptr;  // null when nothing lay under the aperture
  FcPoint2d ucsPoint;          // as answered
  FcPoint2d worldPoint;
  // The part of the entity that was hit (a polyline's segment).
  int subIndex = 0;
};

// Asks for one pick with the prompt and finds what lies under the object
// snap aperture there (PickObjectWithPoint), keeping the world point too. The prompt's status: 5100 for a pick, which may
// have found nothing.
int PickEntityWithPoint(std::string_view prompt, EntityPick& pick);

// The first snap record of the picked part (identity matrix); false when
// the entity gives none.
bool FirstSnapSegment(const EntityPick& pick, GeomSegment& segment);
