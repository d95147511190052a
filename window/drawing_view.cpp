#include "window/drawing_view.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <map>
#include <mutex>

#include "database/graph.h"
#include "database/graph_view_link.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "display/color_table.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "platform/program_settings.h"
#include "window/screen_device.h"

namespace {

// The drawings that have a window, so that a repaint request from any
// thread finds its window, or nothing once the window has gone.
struct ViewRegistry {
  std::mutex mutex;
  std::map<FcGraph*, DrawingView*> views;
  WindowThread* window = nullptr;
};

ViewRegistry& Registry() {
  static ViewRegistry registry;
  return registry;
}

void RequestFromDrawing(FcGraph& graph, FcViewRequest request) {
  ViewRegistry& registry = Registry();
  WindowThread* window = nullptr;
  {
    std::lock_guard lock(registry.mutex);
    window = registry.window;
  }
  if (window == nullptr) return;
  FcGraph* drawing = &graph;
  const bool redraw = request == FcViewRequest::kRedrawNow;
  window->Post([drawing, redraw] {
    ViewRegistry& registry = Registry();
    DrawingView* view = nullptr;
    {
      std::lock_guard lock(registry.mutex);
      const auto found = registry.views.find(drawing);
      if (found != registry.views.end()) view = found->second;
    }
    if (view != nullptr) view->RequestRepaint(redraw);
  });
}

}  // namespace

DrawingView::DrawingView(WindowThread& window, UserQuestions& questions, QWidget* parent)
    : QWidget(parent), window_(window), questions_(&questions), core_(window, *this) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  // The screen device draws the crosshair where the mouse is.
  setCursor(Qt::BlankCursor);
  setMinimumSize(64, 48);
  autoSaveTimer_.setSingleShot(true);
  connect(&autoSaveTimer_, &QTimer::timeout, this, [this] { AutoSave(); });

  Surface().SetDevice(MakeScreenDevice());
  ApplyProgramLook();
  {
    ViewRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.views[&Drawing()] = this;
    registry.window = &window_;
  }
  SetViewRequestLink(RequestFromDrawing);
  core_.Create();
}

DrawingView::~DrawingView() {
  {
    ViewRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.views.erase(&Drawing());
    // The window thread may end with its last drawing window; a drawing
    // without a window must not post to it afterwards.
    if (registry.views.empty()) registry.window = nullptr;
  }
  // A command still waiting at a prompt (the program is ending) is
  // cancelled, and its completion taken in, so that its thread can take
  // the quit.
  while (core_.CommandRuns()) {
    if (core_.IsWaitingForInput()) core_.OnChar(27);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  core_.EndCommandThread();
}

FcDisplaySurface& DrawingView::Surface() { return *Drawing().GetDisplaySurface(); }

void DrawingView::Changed() {
  if (onChanged_) onChanged_(*this);
}

void DrawingView::AddHistoryLine(const std::string& text) {
  commandLine_.AddHistoryLine(text);
  Changed();
}

ViewFrameLink::LineEnd DrawingView::FeedCommandLineChar(char ch, bool blankIsText, std::string& line) {
  const LineEnd end = commandLine_.Feed(ch, blankIsText, line);
  Changed();
  return end;
}

void DrawingView::SetPromptText(const std::string& text) {
  commandLine_.SetPrompt(text);
  Changed();
}

void DrawingView::SetCommandActive(bool active) {
  commandLine_.SetActive(active);
  Changed();
}

void DrawingView::EchoCommandText(std::string& text) {
  commandLine_.Echo(text);
  Changed();
}

void DrawingView::RedrawDrawing() { RedrawNow(); }

void DrawingView::ClearGrips() {
  if (!DrawingIsQuiet()) return;
  Surface().ClearGrips();
  RedrawNow();
}

void DrawingView::Unhighlight(const FcEntitySets& entities) {
  if (!DrawingIsQuiet()) return;
  Drawing().HighlightEntities(false, &entities);
  RedrawNow();
}

void DrawingView::CloseDrawingWindow() {
  window_.Post([this] {
    QWidget* frame = parentWidget() != nullptr ? parentWidget() : this;
    frame->close();
  });
}

QString DrawingView::Title() {
  const FcSystemVar& vars = Drawing().GetSysVars();
  QString title = vars.dwgtitled != 0 ? QString::fromStdString(vars.dwgname.str()) : QStringLiteral("Untitled");
  if (vars.Modified != 0) title += QStringLiteral(" *");
  return title;
}

void DrawingView::UpdateTitle() {
  setWindowTitle(Title());
  FcSystemVar& vars = Drawing().GetSysVars();
  const int minutes = GetProgramSettings().save_time;
  if (vars.AutosaveState == 1 && minutes > 0) {
    vars.AutosaveState = 2;
    autoSaveTimer_.start(std::chrono::minutes(minutes));
  }
  Changed();
}

void DrawingView::AutoSaveIfDue() {
  if (Drawing().GetSysVars().AutosaveState == 3) AutoSave();
}

bool DrawingView::CursorPoint(FcPoint2d& point) {
  if (!DrawingIsQuiet()) return false;
  point = WorldAt(cursor_);
  if (Drawing().GetSysVars().orthomode != 0) Drawing().OrthoConstrain(Drawing().GetSysVars().GetLastPoint(), point);
  return true;
}

FcPoint2d DrawingView::WorldAt(const QPointF& pixel) {
  FcPoint2d world;
  const int deviceX = static_cast<int>(pixel.x());
  const int deviceY = height() - static_cast<int>(pixel.y());
  Surface().GetView()->DeviceToWorld(&world.x, &world.y, deviceX, deviceY);
  return world;
}

void DrawingView::RequestRepaint(bool needsRedraw) {
  if (needsRedraw) redrawPending_ = true;
  update();
}

void DrawingView::ApplyProgramLook() {
  FcDisplayDevice* device = Surface().GetDevice();
  if (device == nullptr) return;
  const ProgramSettings& settings = GetProgramSettings();
  device->Lock();
  device->backgroundIndex = static_cast<std::int16_t>(settings.background_color);
  device->cursorColor = ColorIndexRgb(settings.cursor_color);
  device->UpdateCursorSize(0);
  device->Unlock();
  RedrawNow();
}

void DrawingView::RedrawNow() {
  redrawPending_ = true;
  update();
}

void DrawingView::ApplySize() {
  FcDisplaySurface& surface = Surface();
  FcDisplayDevice* device = surface.GetDevice();
  FcViewTransform* view = surface.GetView();
  if (device == nullptr || view == nullptr) {
    surface.Resize(width(), height());
    redrawPending_ = true;
    return;
  }
  if (device->width == width() && device->height == height() && view->deviceX1 == width() &&
      view->deviceY1 == height()) {
    return;
  }
  redrawPending_ = true;
  device->Resize(width(), height());
  view->deviceX0 = 0;
  view->deviceY0 = 0;
  view->deviceX1 = width();
  view->deviceY1 = height();
  surface.FitWindowToDevice();
}

void DrawingView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  sizePending_ = true;
  update();
}

void DrawingView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The display list belongs to the command thread while it computes; the
  // back buffer is shown as it is until the thread is quiet again.
  if (DrawingIsQuiet()) {
    if (sizePending_) {
      ApplySize();
      sizePending_ = false;
    }
    if (fitPending_) {
      Surface().ZoomExtents();
      fitPending_ = false;
      redrawPending_ = true;
    }
    if (redrawPending_) {
      Surface().Redraw();
      redrawPending_ = false;
    }
  }
  FcDisplayDevice* device = Surface().GetDevice();
  if (device == nullptr) return;
  FcDeviceContext context(painter);
  device->Present(&context, 0, 0, &Drawing(), &Surface(), cursorInView_ ? 1 : 0);
}

StatusPanes DrawingView::Panes() {
  StatusPanes panes;
  FcGraph& graph = Drawing();
  const FcSystemVar& vars = graph.GetSysVars();
  if (const FcLayer* layer = graph.GetCurrentLayer()) panes.layer = QString::fromStdString(layer->GetName());
  const FcLineType* linetype = graph.GetCurrentLinetype();
  if (linetype == nullptr || linetype == graph.GetByLayerLinetype()) {
    panes.linetype = QStringLiteral("ByLayer");
  } else if (linetype == graph.GetByBlockLinetype()) {
    panes.linetype = QStringLiteral("ByBlock");
  } else {
    panes.linetype = QString::fromStdString(linetype->GetName());
  }
  switch (vars.cecolor) {
    case 256:
      panes.color = QStringLiteral("ByLayer");
      break;
    case 0:
      panes.color = QStringLiteral("ByBlock");
      break;
    default:
      panes.color = QString::number(vars.cecolor);
      break;
  }
  panes.snap = vars.snapmode != 0;
  panes.grid = vars.gridmode != 0;
  panes.ortho = vars.orthomode != 0;
  panes.objectSnap = (vars.osmode & 0x4000) == 0 && (vars.osmode & 0x3FFF) != 0;
  return panes;
}
