#pragma once

class FcGraph;
struct FcEntityEdit;

// What a double click in the view opens, by the kind of the entity found:
// a text, attribute definition, multiline text or tolerance its text
// editor; a dimension its text editor when the click lies on its text,
// else its properties; an attribute, or a reference with attributes, the attribute
// editor; a raster image the image adjustment; a hatch the hatch editor.
// Anything else opens the properties of the pick-first selection, or
// nothing when that is empty.
int EditDoubleClickedEntity(FcGraph& graph, FcEntityEdit& edit);

// Makes it the view's editor (called with the registration of the
// drawing commands).
void InstallEntityEditor();
