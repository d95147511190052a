#pragma once

#include "database/graph.h"
#include "entities/attribute.h"
#include "entities/line.h"
#include "shell/testing/scripted_view.h"

// The contents of a door block, drawn in the current space for "-block" to
// take: a line from (0,0) to (0,40) and the attribute definition ROOM
// ("Room number", height 5) at (10,0); aligned, ROOM runs from there to
// (30,0).
inline void DrawDoorBlockContents(ScriptedView& script, bool alignedRoom = false) {
  script.OnWindowThread([&script, alignedRoom] {
    FcGraph& graph = script.Drawing();
    auto* line = new FcLine;
    line->SetEndPoint({0, 40});
    graph.AddEntity(line, false);
    auto* definition = new FcAttributeDef;
    definition->SetTag("ROOM");
    definition->SetPrompt("Room number");
    definition->SetInsertionPoint({10, 0});
    definition->SetHeight(5);
    if (alignedRoom) {
      definition->SetHorizontalJustification(kTextAligned);
      definition->SetAlignmentPoint({30, 0});
    }
    graph.AddEntity(definition, true);
    return 0;
  });
}
