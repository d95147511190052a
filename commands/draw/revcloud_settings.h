#pragma once

class FcGraph;
class FcPolyline;

// The cloud settings as one run uses them.
struct RevCloudLengths {
  double minimum = 0.0;  // times DIMSCALE
  double maximum = 0.0;  // times DIMSCALE, at least 1.2 times the minimum
  double stored = 0.0;   // the stored maximum times DIMSCALE, not raised
  bool calligraphy = false;
};

// DIMSCALE, or 1 where it is not positive: lengths are stored divided by it.
double RevCloudScale(const FcGraph& graph);
RevCloudLengths CurrentRevCloudLengths(const FcGraph& graph);

// "Yes" turns every arc to the other side; Enter keeps them. False, when
// the prompt is answered otherwise, for a cloud that must be dropped. The
// cloud is shown while the prompt waits.
bool AskRevCloudDirection(FcPolyline& cloud);
