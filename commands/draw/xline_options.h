#pragma once

class FcUndoSection;

// The options of the XLine command after its first prompt; each adds its
// construction lines through the section and returns when its last prompt
// is answered with anything else than what it asks for.

void XLineByAngle(FcUndoSection& section);
void XLineBisect(FcUndoSection& section);
// Horizontal (x axis of the current UCS) or vertical (its y axis).
void XLineAlongUcsAxis(FcUndoSection& section, bool vertical);
void XLineOffset(FcUndoSection& section);
