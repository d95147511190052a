#pragma once

class FcDeviceContext;
class FcDimStyle;
struct FcDimVars;
class FcDisplaySurface;
class FcGraph;

// The sample the dimension style dialogs show: a part outline with five
// dimensions (two rotated, an aligned, a two-line angular and a radial),
// kept as invisible entities of the drawing in its preview set, so that
// the drawing's own views do not show them.

// Builds the sample anew, scaled about the origin by the factor.
void BuildDimStylePreview(double scale, FcGraph& graph);
// Draws the sample into the surface at width x height pixels, its
// dimensions rebuilt with the style (null: each keeps its own), the view
// fitted to it, without grid or UCS icon and on the background of the
// drawing's own screen; GRIDMODE and UCSICON are left as they were. False
// when there is no sample or the surface has no device.
bool DrawDimStylePreview(FcGraph& graph, FcDisplaySurface& surface, FcDimStyle* style, int width, int height);
// The same into a surface of its own on the screen device, the picture
// then copied onto the target; the saved grid setting (0 or 1).
int RenderDimStylePreview(FcGraph& graph, FcDeviceContext* target, FcDimStyle* style, int width, int height);
// DrawDimStylePreview with a style made of the variables, which the
// sample follows only while it is drawn: the sample of values not stored
// in any style yet. Its arrow blocks and text style are bound by name.
bool DrawDimStylePreviewOf(FcGraph& graph, FcDisplaySurface& surface, const FcDimVars& vars, int width, int height);
// Takes the sample out of the drawing and deletes it with its blocks.
void ClearDimStylePreview(FcGraph& graph);
