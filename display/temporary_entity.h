#pragma once

class FcEntity;
class FcGraph;

// Shows the entity as the drawing's rubber-band (exclusive-or) image,
// replacing the previous one; an entity on layer "0" keeps its own layer's
// look, as it is not inside any block reference.
void DrawTemporaryEntity(FcGraph& drawing, FcEntity* entity);
