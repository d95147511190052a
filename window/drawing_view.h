#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/point2d.h"
#include "filers/file_kind.h"
#include "shell/request_overlay.h"
#include "shell/view_core.h"
#include "shell/view_frame_link.h"
#include "window/command_line_model.h"

class FcDisplaySurface;
class FcGraph;

// What the drawing window asks the user; the main frame answers with
// dialogs, tests with scripted answers.
class UserQuestions {
 public:
  enum class SaveAnswer { kYes, kNo, kCancel };
  // The chosen path and kind of a save; an empty path when cancelled.
  struct SaveChoice {
    std::string path;
    FcFileKind kind = FcFileKind::kAsciiDxf;
  };

  virtual ~UserQuestions() = default;
  virtual SaveAnswer AskSaveChanges(const std::string& question) = 0;
  virtual SaveChoice ChooseSavePath(FcFileKind currentKind) = 0;
  // An empty path when cancelled.
  virtual std::string ChooseOpenPath() = 0;
  virtual void ShowMessage(const std::string& text) = 0;
  // A message under its own title (a picture that cannot be decoded).
  virtual void ShowTitledMessage(const std::string& title, const std::string& text) = 0;
};

// The status panes a drawing window fills: the current layer, colour and
// linetype and the four drafting modes.
struct StatusPanes {
  QString layer;
  QString color;
  QString linetype;
  bool snap = false;
  bool grid = false;
  bool ortho = false;
  bool objectSnap = false;
};

// One drawing's window: it paints the screen device's back buffer, turns
// keys and the mouse into the view core's input, keeps the drawing's
// command line and opens, saves and autosaves the drawing while its
// command thread is idle.
class DrawingView : public QWidget, public ViewFrameLink {
 public:
  // The drafting modes the status panes and function keys toggle.
  enum class Mode { kSnap, kGrid, kOrtho, kObjectSnap };

  DrawingView(WindowThread& window, UserQuestions& questions, QWidget* parent = nullptr);
  ~DrawingView() override;

  // Opens the file into this window's drawing; false (with the message
  // shown) when it cannot be read, and the window should then go.
  bool OpenFile(const std::string& path);
  // Fills a new drawing from the template drawing of the settings, when
  // that file exists; otherwise the drawing keeps its defaults.
  void LoadTemplate();
  // True when the window may close: nothing to save, saved, or discarded.
  bool SaveModified();
  // Saves under the drawing's name, or asks for one when it has none;
  // false when cancelled or failed (the drawing stays modified).
  bool SaveNow();
  // Writes the ASCII DXF safety copy without renaming the drawing or
  // counting as a save; deferred while a command computes.
  void AutoSave();
  // The safety copy's path for the drawing as it is named now.
  std::string AutoSavePath();

  // Flips a drafting mode (an undoable variable change); false while a
  // command computes. Object snap without any mode to switch opens the
  // object-snap settings instead.
  bool ToggleMode(Mode mode);
  // The drafting settings sheet on its object-snap page, shown while the
  // command (if any) keeps waiting; an OK is one undoable change.
  bool EditObjectSnapModes();
  // F6: the coordinate display cycles 0, 1, 2.
  void CycleCoords();

  void SetQuestions(UserQuestions& questions) { questions_ = &questions; }
  CChildView& Core() { return core_; }
  FcGraph& Drawing() { return core_.GetWorkThread().GetGraph(); }
  FcDisplaySurface& Surface();
  const CommandLineModel& CommandLine() const { return commandLine_; }
  StatusPanes Panes();
  QString Title();
  // The command thread is idle or suspended at a prompt, so the window
  // thread may touch the drawing.
  bool DrawingIsQuiet() { return !core_.CommandRuns() || core_.IsWaitingForInput(); }
  // A history line printed on this drawing's behalf.
  void AddHistoryLine(const std::string& text);

  // Called on the window thread after anything the command-line bar, the
  // status panes or the title show has changed.
  void SetOnChanged(std::function<void(DrawingView&)> call) { onChanged_ = std::move(call); }
  // Called with the path of a file opened into this window or saved under
  // a newly chosen name.
  void SetOnFileNamed(std::function<void(const std::string&)> call) { onFileNamed_ = std::move(call); }
  // Called with the coordinates text whenever the cursor moves (COORDS).
  void SetOnCoordinates(std::function<void(const QString&)> call) { onCoordinates_ = std::move(call); }

  // ViewFrameLink.
  LineEnd FeedCommandLineChar(char ch, bool blankIsText, std::string& line) override;
  bool HasTypedInput() override { return commandLine_.HasInput(); }
  void SetPromptText(const std::string& text) override;
  void SetCommandActive(bool active) override;
  void EchoCommandText(std::string& text) override;
  void RedrawDrawing() override;
  void ClearGrips() override;
  void Unhighlight(const FcEntitySets& entities) override;
  void RefreshStatusPanes() override { Changed(); }
  void UpdateTitle() override;
  void AutoSaveIfDue() override;
  void CloseDrawingWindow() override;
  void FocusView() override { setFocus(); }
  void ShowRequest(const InputRequest& request) override;
  void EndRequestDisplay() override;
  bool CursorPoint(FcPoint2d& point) override;
  void TrackPreview(const FcPoint2d& point) override;

  // Takes the background colour, crosshair colour and crosshair size of
  // the program settings and redraws.
  void ApplyProgramLook();

  // The drawing asked for a repaint (needsRedraw: the display list must be
  // drawn into the back buffer first).
  void RequestRepaint(bool needsRedraw);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The world point under the widget pixel.
  FcPoint2d WorldAt(const QPointF& pixel);
  // Redraws the display list into the back buffer and repaints.
  void RedrawNow();
  void Changed();
  // Brings the device to the widget's size; the world window keeps its
  // centre and scale and only widens to the new proportions.
  void ApplySize();
  void FeedText(const std::string& text);
  // The object-snap marker and its name at the cursor while a point prompt
  // waits; cleared otherwise (drawing_view_snap.cpp).
  void ShowSnapMarker();
  // The cursor's coordinates, or its distance and angle from the pending
  // prompt's base point, for the status bar.
  void ShowCoordinates();
  // The overlay follows the cursor (drawing_view_overlay.cpp): the cursor,
  // the pending prompt's rubber band and its drag object's preview.
  void MoveOverlayCursor();
  // An unfinished preview gets its next slice on a later turn of the event
  // loop, after any input that came in meanwhile.
  void QueuePreviewSlice();
  // A left click (or the end of a drag) where it happened.
  struct MouseClick {
    QPointF pixel;
    Qt::KeyboardModifiers modifiers;
  };
  // Answers the waiting point or selection prompt with a left click;
  // false when the prompt takes no click. Only while the drawing is quiet.
  bool AnswerClick(const MouseClick& click);

  WindowThread& window_;
  UserQuestions* questions_;
  CommandLineModel commandLine_;
  std::function<void(DrawingView&)> onChanged_;
  std::function<void(const std::string&)> onFileNamed_;
  std::function<void(const QString&)> onCoordinates_;
  QTimer autoSaveTimer_;
  QPointF cursor_;
  bool panning_ = false;
  QString snapTip_;
  FcPoint2d panAnchor_;
  // A left-button drag from a pick prompt: where it began, and its end
  // kept for the box corner prompt that the press itself brings up.
  bool leftDown_ = false;
  QPointF leftPressAt_;
  std::optional<MouseClick> dragEnd_;
  bool redrawPending_ = false;
  bool sizePending_ = false;
  RequestOverlay overlay_;
  bool cursorInView_ = false;
  bool sliceQueued_ = false;
  // An opened drawing is fitted once the window has its real size.
  bool fitPending_ = false;
  // Last, so that the command thread ends before the members it uses go.
  CChildView core_;
};
