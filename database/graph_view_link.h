#pragma once

class FcGraph;

// What a drawing asks of its view window. The shell reaches the view
// through the drawing's command thread; without a link (headless use) the
// requests go nowhere.
enum class FcViewRequest {
  // The repaint message 0x808C, posted: the view presents its back buffer.
  kRepaint,
  // The window is invalidated, erased and updated at once, and its paint
  // redraws the display surface before presenting it.
  kRedrawNow,
};

using FcViewRequestLink = void (*)(FcGraph& graph, FcViewRequest request);

// Installs the link (null removes it); any thread may call RequestView.
void SetViewRequestLink(FcViewRequestLink link);
void RequestView(FcGraph& graph, FcViewRequest request);
