#pragma once

#include <string_view>

#include "core/point2d.h"

class CChildView;

// The selection box a click on empty space opens while no command runs:
// the next click (or a typed corner) closes it and puts what it holds into
// the pick-first selection with its grips. Dragged to the left it takes
// what it crosses too, to the right only what lies wholly inside.
class IdleSelectionBox {
 public:
  explicit IdleSelectionBox(CChildView& view) : view_(view) {}
  IdleSelectionBox(const IdleSelectionBox&) = delete;
  IdleSelectionBox& operator=(const IdleSelectionBox&) = delete;

  // The other corner is asked for.
  bool IsPending() const;
  // Opens the box at the clicked world point.
  void Open(const FcPoint2d& world);
  // The other corner clicked (world); Shift (0x04) takes the objects out.
  void CloseAt(const FcPoint2d& world, int keyState);
  // The other corner typed; a text that is no point asks again.
  void Typed(std::string_view text);
  // Esc: the box goes, the selection stays.
  void Abandon();

 private:
  void End();

  CChildView& view_;
};
