#pragma once

#include <string_view>

#include "core/matrix2d.h"
#include "core/point2d.h"
#include "display/drag_selects.h"

class FcEntitySets;
class FcGraph;

// What Move, Copy, Rotate, Scale and Mirror share: the selection they
// change, its preview, and the two ways a matrix reaches the drawing. The
// commands never look at an entity's kind: each entity decides for itself
// what a matrix does to it.

// Every set of these commands grows by this step.
inline constexpr int kEditSetGrowth = 128;

// The selection of the default prompt; false when it was cancelled.
bool SelectForEdit(FcEntitySets& selection);

// The end of a run that changes nothing (more): the selection is no longer
// highlighted and the view is refreshed.
void EndUnchanged(FcGraph& graph, const FcEntitySets& selection);

// Makes the preview show the selection's clones under the transform from
// the base point (current UCS) and hands it to the next prompt.
void ShowPreview(FcDragSelects& preview, const FcEntitySets& selection, FcDragSelects::Transform transform,
                 const FcPoint2d& base);

// Rotate and Scale: the selection, "Base point", then the value asked with
// the preview in the transform (false when the user gave up), and the
// selection changed in place by the matrix built about the base point in
// world coordinates. Always kStatusDone.
using AskAboutBase = bool (*)(FcDragSelects& preview, const FcPoint2d& base, double& value);
using MatrixAboutPoint = void (*)(double x, double y, double value, FcMatrix2d& out);
int ChangeAboutBasePoint(FcDragSelects::Transform transform, AskAboutBase ask, MatrixAboutPoint build,
                         std::string_view name);

// Records the selection as it is under a new undo item of the name, then
// applies the matrix to each entity in selection order and redraws them.
// Without memory for the item nothing changes.
void TransformSelection(FcGraph& graph, FcEntitySets& selection, const FcMatrix2d& matrix, std::string_view name);

// Adds the matrix's image of each selected entity to the drawing, in
// selection order and with the source's layer, linetype, colour and
// linetype scale, into copies (which is emptied first); their creation is
// one undo item of the name. The copies are not drawn.
void AddTransformedCopies(FcGraph& graph, const FcEntitySets& selection, const FcMatrix2d& matrix,
                          std::string_view name, FcEntitySets& copies);
