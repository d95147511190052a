#pragma once

class FcUndoSection;

// The Object option of revcloud: picks a line, circle, arc, ellipse,
// spline or polyline and makes the cloud along it, recorded in the
// section's run; the source is erased when the settings say so. 5100.
int RevCloudFromObject(FcUndoSection& section);
