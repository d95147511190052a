#pragma once

#include <cstdint>

// The settings of the drawing commands that belong to the program run, not
// to a drawing: shared by every drawing, not saved. A dialog that offers
// them reads and writes them here.
struct DrawCommandSettings {
  // Polygon: the remembered Inscribed (true) or Circumscribed choice.
  bool polygonInscribed = true;
  // Rectangle: 0 plain corners, 1 chamfered, 2 filleted.
  std::uint8_t rectangleMode = 0;
  double chamfer1 = 10.0;
  double chamfer2 = 10.0;
  double filletRadius = 5.0;
  double rectangleLength = 100.0;
  double rectangleWidth = 100.0;
  // Revcloud: the Object option erases the entity it made the cloud from.
  bool revCloudDeleteSource = true;
};

// A copy of the current settings; safe from any thread.
DrawCommandSettings GetDrawCommandSettings();
void SetDrawCommandSettings(const DrawCommandSettings& settings);
