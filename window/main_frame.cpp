#include "window/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <array>

#include "commands/dialogs/open_dwg_dlg.h"
#include "commands/dialogs/option_dlg.h"
#include "commands/dialogs/save_dwg_dlg.h"
#include "database/graph.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/save_drawing_dialog.h"
#include "platform/file_system.h"
#include "platform/program_settings.h"
#include "platform/folder_picker.h"
#include "shell/command_registry.h"
#include "shell/work_thread.h"
#include "window/color_pane.h"
#include "window/command_bar_lines.h"
#include "window/command_line_panel.h"
#include "window/desktop_clipboard.h"
#include "window/desktop_opener.h"
#include "window/program_start.h"
#include "window/toolbar_state.h"
#include "window/window_placement.h"

namespace {

struct ModeButtonText {
  DrawingView::Mode mode;
  const char* text;
  const char* tip;
};

constexpr ModeButtonText kModeButtons[] = {
    {DrawingView::Mode::kSnap, "Snap", "Toggle Snap On/Off"},
    {DrawingView::Mode::kGrid, "Grid", "Toggle Grid On/Off"},
    {DrawingView::Mode::kOrtho, "Ortho", "Toggle Orthogonal On/Off"},
    {DrawingView::Mode::kObjectSnap, "Object Snap", "Object snap settings"},
};

// The text panes' tips, and what a double click on them runs.
struct TextPane {
  const char* text;
  const char* tip;
  const char* macro;
};

constexpr TextPane kLayerPane = {"0", "Current Layer", "^C^C_Layer"};
constexpr TextPane kColorPane = {"ByLayer", "Current color", "^C^C_Color"};
constexpr TextPane kLinetypePane = {"ByLayer", "Current Linetype", "^C^C_Linetype"};

constexpr const char* kMacroProperty = "paneMacro";

}  // namespace

MainFrame::MainFrame() {
  setWindowTitle(QStringLiteral("KOVRA 2"));
  area_ = new QMdiArea(this);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(area_);
  area_->viewport()->installEventFilter(this);
  connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
    DrawingView* view = ActiveView();
    ShowCommandLine(view);
    ShowStatus(view);
  });
  BuildCommandBar();
  BuildStatusBar();
  BuildNoDrawingToolbar();
  SetFrameLink(this);
  SetApplicationLink(this);
  SetModalDialogRunner(this);
  // Code on the window thread works on the active window's drawing. Other
  // threads without a drawing of their own get none: making them wait for
  // this thread would hang one that this thread itself waits for (the
  // regeneration helpers), and the answer would race the window's changes.
  SetActiveGraphQuery([this](FcGraph** result) {
    DrawingView* view = window_.IsCurrent() ? ActiveView() : nullptr;
    if (result == nullptr || view == nullptr) return 1;
    *result = &view->Drawing();
    return 0;
  });
  LoadMenus();
  SetFolderPicker([this](const std::string& title, const std::string& start) {
    std::optional<std::string> chosen;
    window_.Send([&] {
      const QString folder = QFileDialog::getExistingDirectory(this, QString::fromStdString(title),
                                                               QString::fromStdString(start));
      if (!folder.isEmpty()) chosen = folder.toStdString();
    });
    return chosen;
  });
  InstallDesktopOpener(window_);
  InstallDesktopClipboard(window_);
  setAcceptDrops(true);
  resize(1024, 768);
}

MainFrame::~MainFrame() {
  SetActiveGraphQuery(nullptr);
  // The drawing windows end their command threads while the link still
  // answers them. Windows closed but not yet deleted count too, and none
  // reports back to the frame that is going.
  for (DrawingView* view : area_->findChildren<DrawingView*>()) disconnect(view, nullptr, this, nullptr);
  for (QMdiSubWindow* window : area_->findChildren<QMdiSubWindow*>()) delete window;
  SetModalDialogRunner(nullptr);
  SetApplicationLink(nullptr);
  SetFolderPicker({});
  RemoveDesktopOpener();
  RemoveDesktopClipboard();
  SetFrameLink(nullptr);
}

void MainFrame::BuildCommandBar() {
  commandBar_ = new QDockWidget(QStringLiteral("Command Bar"), this);
  commandBar_->setObjectName(QStringLiteral("CommandBar"));
  commandBar_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  commandBar_->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
  commandPanel_ = new CommandLinePanel(commandBar_);
  commandPanel_->ApplyLook(GetProgramSettings().command_line);
  commandBar_->setWidget(commandPanel_);
  addDockWidget(Qt::BottomDockWidgetArea, commandBar_);
  textWindow_ = new TextWindow(this, [this](QKeyEvent* event) {
    if (DrawingView* view = ActiveView()) QApplication::sendEvent(view, event);
  });
  textWindow_->Panel().ApplyLook(GetProgramSettings().command_line);
  for (CommandLinePanel* panel : {commandPanel_, &textWindow_->Panel()}) {
    panel->SetPaste(
        [this] {
          DrawingView* view = ActiveView();
          return view != nullptr && view->Core().CanPasteText();
        },
        [this] {
          if (DrawingView* view = ActiveView()) view->Core().PasteClipboardText();
        });
  }
  auto* toggle = new QShortcut(QKeySequence(Qt::Key_F2), this);
  toggle->setContext(Qt::ApplicationShortcut);
  connect(toggle, &QShortcut::activated, this, &MainFrame::ToggleTextWindow);
}

int MainFrame::CommandBarLines() { return commandPanel_->HistoryLines(); }

void MainFrame::ApplyCommandBarStyle(int lines) {
  const CommandLineWindowSettings& look = GetProgramSettings().command_line;
  commandPanel_->ApplyLook(look);
  textWindow_->Panel().ApplyLook(look);
  if (lines >= 1 && lines <= kMaxCommandBarLines) {
    commandPanel_->SetHistoryLines(lines);
    // A docked bar keeps its height until told otherwise.
    resizeDocks({commandBar_}, {commandPanel_->sizeHint().height()}, Qt::Vertical);
  }
  for (DrawingView* view : Views()) view->ApplyProgramLook();
}

void MainFrame::ToggleTextWindow() {
  if (ActiveView() == nullptr) return;
  if (textWindow_->isVisible() && textWindow_->isActiveWindow()) {
    activateWindow();
    raise();
    return;
  }
  textWindow_->show();
  textWindow_->raise();
  textWindow_->activateWindow();
}

void MainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  progressBar_ = new QProgressBar(bar);
  progressBar_->setRange(0, 100);
  progressBar_->setMaximumWidth(200);
  progressBar_->hide();
  coordinatesPane_ = new QLabel(bar);
  coordinatesPane_->setObjectName(QStringLiteral("coordinatesPane"));
  coordinatesPane_->setMinimumWidth(180);
  bar->addWidget(coordinatesPane_);
  bar->addWidget(progressBar_, 1);
  const auto pane = [this, bar](QLabel* label, const TextPane& entry) {
    label->setText(QString::fromLatin1(entry.text));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setToolTip(QString::fromLatin1(entry.tip));
    label->setProperty(kMacroProperty, QString::fromLatin1(entry.macro));
    label->installEventFilter(this);
    bar->addPermanentWidget(label);
    return label;
  };
  layerPane_ = pane(new QLabel(bar), kLayerPane);
  colorPane_ = pane(new ::ColorPane(bar), kColorPane);
  linetypePane_ = pane(new QLabel(bar), kLinetypePane);
  layerPane_->setMinimumWidth(80);
  linetypePane_->setMinimumWidth(80);
  for (const ModeButtonText& entry : kModeButtons) {
    auto* button = new QToolButton(bar);
    button->setText(QString::fromLatin1(entry.text));
    button->setToolTip(QString::fromLatin1(entry.tip));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    const DrawingView::Mode mode = entry.mode;
    connect(button, &QToolButton::clicked, this, [this, mode] {
      if (DrawingView* view = ActiveView()) view->ToggleMode(mode);
      ShowStatus(ActiveView());
    });
    connect(button, &QWidget::customContextMenuRequested, this, [this, button, mode](const QPoint& point) {
      if (std::unique_ptr<QMenu> menu = MakePaneMenu(mode)) menu->exec(button->mapToGlobal(point));
    });
    bar->addPermanentWidget(button);
    modeButtons_.emplace_back(mode, button);
  }
  ShowStatus(nullptr);
}

std::unique_ptr<QMenu> MainFrame::MakePaneMenu(DrawingView::Mode mode) {
  DrawingView* view = ActiveView();
  if (view == nullptr || mode == DrawingView::Mode::kOrtho) return nullptr;
  auto menu = std::make_unique<QMenu>(this);
  QAction* on = menu->addAction(QStringLiteral("On"));
  on->setCheckable(true);
  on->setChecked(ModeButton(mode).isChecked());
  connect(on, &QAction::triggered, this, [this, mode] {
    if (DrawingView* active = ActiveView()) active->ToggleMode(mode);
    ShowStatus(ActiveView());
  });
  QAction* set = menu->addAction(QStringLiteral("Set..."));
  connect(set, &QAction::triggered, this, [this, mode] {
    DrawingView* active = ActiveView();
    if (active == nullptr) return;
    // The drafting settings sheet, on the object-snap page for that pane.
    active->Core().ExecuteMacro("^C^C_dsettings", mode == DrawingView::Mode::kObjectSnap ? "OSnap" : "");
    ShowStatus(ActiveView());
  });
  return menu;
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonDblClick) return QMainWindow::eventFilter(watched, event);
  if (watched == area_->viewport()) {
    // Only the empty background opens: a double click that a drawing
    // window passed on to its parent is that window's.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || area_->viewport()->childAt(mouse->position().toPoint()) != nullptr)
      return QMainWindow::eventFilter(watched, event);
    RunApplicationCommand("Open");
    return true;
  }
  const QVariant macro = watched->property(kMacroProperty);
  DrawingView* view = ActiveView();
  if (!macro.isValid() || view == nullptr) return QMainWindow::eventFilter(watched, event);
  view->Core().ExecuteMacro(macro.toString().toStdString());
  return true;
}

QToolButton& MainFrame::ModeButton(DrawingView::Mode mode) {
  for (auto& [buttonMode, button] : modeButtons_)
    if (buttonMode == mode) return *button;
  return *modeButtons_.front().second;
}

DrawingView* MainFrame::MakeView() {
  auto* view = new DrawingView(window_, *questions_);
  view->SetOnFileNamed([this](const std::string& path) { AddRecentFile(path); });
  view->SetOnCoordinates([this](const QString& text) {
    if (!progressShown_) coordinatesPane_->setText(text);
  });
  return view;
}

QMdiSubWindow* MainFrame::AddWindow(DrawingView* view) {
  const bool first = area_->subWindowList().isEmpty();
  QMdiSubWindow* window = area_->addSubWindow(view);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(view->Title());
  connect(view, &QWidget::windowTitleChanged, window, &QWidget::setWindowTitle);
  view->SetOnChanged([this](DrawingView& changed) { ViewChanged(changed); });
  connect(view, &QObject::destroyed, this, [this, view] {
    if (shownView_ == view) shownView_ = nullptr;
    // The area lists the closing window until its close has finished.
    QMetaObject::invokeMethod(this, [this] { ShowDrawingToolbars(); }, Qt::QueuedConnection);
  });
  if (first) {
    window->showMaximized();
  } else {
    window->show();
  }
  area_->setActiveSubWindow(window);
  view->setFocus();
  if (first) ShowDrawingToolbars();
  return window;
}

DrawingView* MainFrame::NewDrawingWindow() {
  DrawingView* view = MakeView();
  view->LoadTemplate();
  AddWindow(view);
  view->UpdateTitle();
  return view;
}

DrawingView* MainFrame::OpenDrawingWindow(const std::string& path) {
  DrawingView* view = MakeView();
  if (!view->OpenFile(path)) {
    delete view;
    return nullptr;
  }
  AddWindow(view);
  return view;
}

void MainFrame::SetQuestions(UserQuestions* questions) {
  questions_ = questions != nullptr ? questions : this;
  for (DrawingView* view : Views()) view->SetQuestions(*questions_);
}

void MainFrame::SetSettingsStore(QSettings* store) {
  store_ = store;
  if (store_ != nullptr) {
    commandPanel_->SetHistoryLines(LoadHistoryLineNumber(*store_));
    recentFiles_.Load(*store_);
    // The restored layout, not the parking, says which of the menu file's
    // toolbars show once a drawing is open.
    for (QToolBar* toolbar : parkedToolbars_) toolbar->show();
    parkedToolbars_.clear();
    LoadToolbarState(*store_, *this);
    ShowDrawingToolbars();
  }
  RefreshRecentFiles();
}

void MainFrame::AddRecentFile(const std::string& path) {
  recentFiles_.Add(path);
  if (store_ != nullptr) recentFiles_.Save(*store_);
  RefreshRecentFiles();
}

void MainFrame::RefreshRecentFiles() {
  FillRecentFileSlots(*this, recentFiles_, [this](const std::string& path) { OpenRecentFile(path); });
}

void MainFrame::OpenRecentFile(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  if (path.empty() || !file.exists() || file.isDir()) return;
  OpenDrawingWindow(path);
}

void MainFrame::OpenDroppedFiles(const QStringList& paths) {
  for (const QString& path : paths)
    if (IsDrawingFile(path)) OpenDrawingWindow(path.toStdString());
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile());
  event->acceptProposedAction();
  OpenDroppedFiles(paths);
}

void MainFrame::OpenWithDialog() {
  const std::string path = questions_->ChooseOpenPath();
  if (!path.empty()) OpenDrawingWindow(path);
}

void MainFrame::CloseActiveDrawing() {
  if (QMdiSubWindow* window = area_->activeSubWindow()) window->close();
}

void MainFrame::SaveActiveDrawing() {
  DrawingView* view = ActiveView();
  if (view != nullptr) view->SaveNow();
}

DrawingView* MainFrame::ActiveView() const {
  QMdiSubWindow* window = area_->activeSubWindow();
  if (window == nullptr) window = area_->currentSubWindow();
  return window != nullptr ? dynamic_cast<DrawingView*>(window->widget()) : nullptr;
}

std::vector<DrawingView*> MainFrame::Views() const {
  std::vector<DrawingView*> views;
  for (QMdiSubWindow* window : area_->subWindowList())
    if (auto* view = dynamic_cast<DrawingView*>(window->widget())) views.push_back(view);
  return views;
}

DrawingView* MainFrame::ReportingView() {
  if (CWorkThread* thread = CWorkThread::Current()) {
    for (DrawingView* view : Views())
      if (&view->Drawing() == &thread->GetGraph()) return view;
  }
  return ActiveView();
}

void MainFrame::ViewChanged(DrawingView& view) {
  if (&view != ActiveView()) return;
  ShowCommandLine(&view);
  ShowStatus(&view);
}

void MainFrame::ShowCommandLine(DrawingView* view) {
  const std::array<CommandLinePanel*, 2> panels{commandPanel_, &textWindow_->Panel()};
  if (view == nullptr) {
    for (CommandLinePanel* panel : panels) panel->SetPrompt(QStringLiteral("Command:"));
    // The history window belongs to the drawings and goes with the last.
    if (area_->subWindowList().isEmpty()) textWindow_->hide();
    return;
  }
  const std::vector<std::string>& lines = view->CommandLine().History();
  if (view != shownView_ || lines.size() < shownLines_) {
    for (CommandLinePanel* panel : panels) panel->ClearHistory();
    shownView_ = view;
    shownLines_ = 0;
  }
  for (; shownLines_ < lines.size(); ++shownLines_) {
    const QString line = QString::fromStdString(lines[shownLines_]);
    for (CommandLinePanel* panel : panels) panel->AppendHistory(line);
  }
  const QString prompt = QString::fromStdString(view->CommandLine().DisplayedLine());
  for (CommandLinePanel* panel : panels) panel->SetPrompt(prompt);
}

void MainFrame::ShowStatus(DrawingView* view) {
  // Without a drawing the panes have nothing to show or toggle.
  for (QLabel* pane : {layerPane_, colorPane_, linetypePane_}) pane->setEnabled(view != nullptr);
  for (auto& [mode, button] : modeButtons_) button->setEnabled(view != nullptr);
  if (view == nullptr) return;
  const StatusPanes panes = view->Panes();
  layerPane_->setText(panes.layer);
  colorPane_->setText(panes.color);
  linetypePane_->setText(panes.linetype);
  ModeButton(DrawingView::Mode::kSnap).setChecked(panes.snap);
  ModeButton(DrawingView::Mode::kGrid).setChecked(panes.grid);
  ModeButton(DrawingView::Mode::kOrtho).setChecked(panes.ortho);
  ModeButton(DrawingView::Mode::kObjectSnap).setChecked(panes.objectSnap);
}

void MainFrame::CommandHistoryLine(const std::string& text) {
  window_.Send([this, text] {
    if (DrawingView* view = ReportingView()) {
      view->AddHistoryLine(text);
      return;
    }
    frameHistory_.push_back(text);
    commandPanel_->AppendHistory(QString::fromStdString(text));
    textWindow_->Panel().AppendHistory(QString::fromStdString(text));
  });
}

void MainFrame::PromptText(const std::string& text) {
  window_.Send([this, text] {
    if (DrawingView* view = ReportingView()) view->SetPromptText(text);
  });
}

void MainFrame::OnWindowThread(std::function<void()> call, bool posted) {
  // The status bar repaints at once when its text changes, which must not
  // happen inside a paint of a view (a redraw reports progress), so the
  // window thread queues its own reports too; sent and posted calls share
  // one queue and keep their order.
  if (window_.IsCurrent() || posted) {
    window_.Post(std::move(call));
    return;
  }
  window_.Send(std::move(call));
}

void MainFrame::ProgressStart(const std::string& text) {
  OnWindowThread(
      [this, text] {
        progressShown_ = true;
        statusBar()->showMessage(QString::fromStdString(text));
        progressBar_->setValue(0);
        progressBar_->show();
      },
      true);
}

void MainFrame::ProgressPosition(int percent, bool posted) {
  OnWindowThread(
      [this, percent] {
        // A step that arrives after the end has nothing left to move.
        if (!progressShown_) return;
        progressBar_->setValue(std::clamp(percent, 0, 100));
      },
      posted);
}

void MainFrame::ProgressEnd() {
  OnWindowThread(
      [this] {
        progressShown_ = false;
        progressBar_->hide();
        statusBar()->clearMessage();
      },
      true);
}

int MainFrame::Run(CModalDialog& dialog) {
  int code = CModalDialog::kCancel;
  window_.Send([this, &dialog, &code] { code = ShowModalDialog(dialog, this); });
  return code;
}

void MainFrame::MessageBox(const std::string& title, const std::string& text) {
  window_.Send([this, title, text] { questions_->ShowTitledMessage(title, text); });
}

UserQuestions::SaveAnswer MainFrame::AskSaveChanges(const std::string& question) {
  const QMessageBox::StandardButton answer =
      QMessageBox::question(this, windowTitle(), QString::fromStdString(question),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Yes) return SaveAnswer::kYes;
  if (answer == QMessageBox::No) return SaveAnswer::kNo;
  return SaveAnswer::kCancel;
}

UserQuestions::SaveChoice MainFrame::ChooseSavePath(FcFileKind currentKind) {
  CSaveDWGDlg data;
  data.m_strFileName = saveProposal_;
  data.m_nFilterIndex = currentKind == FcFileKind::kDwg ? CSaveDWGDlg::kDwgType : CSaveDWGDlg::kDxfType;
  data.m_bBinaryDxf = currentKind == FcFileKind::kBinaryDxf;
  SaveChoice choice;
  SaveDrawingDialog dialog(data, this);
  if (dialog.exec() != QDialog::Accepted || data.m_strPathName.empty()) return choice;
  choice.path = data.m_strPathName;
  choice.kind = data.ChosenKind();
  return choice;
}

std::string MainFrame::ChooseOpenPath() {
  COpenDwgDlg data;
  if (ShowModalDialog(data, this) != CModalDialog::kOk) return {};
  return data.m_strPathName;
}

void MainFrame::ShowMessage(const std::string& text) {
  QMessageBox::warning(this, windowTitle(), QString::fromStdString(text));
}

void MainFrame::ShowTitledMessage(const std::string& title, const std::string& text) {
  QMessageBox::critical(this, QString::fromStdString(title), QString::fromStdString(text));
}

void MainFrame::closeEvent(QCloseEvent* event) {
  const bool drawingsOpen = !area_->subWindowList().isEmpty();
  // Taken while the drawings still show the menu file's toolbars.
  const QByteArray layout = saveState();
  for (QMdiSubWindow* window : area_->subWindowList()) {
    if (!window->close()) {
      event->ignore();
      return;
    }
  }
  if (store_ != nullptr) {
    SaveWindowPlacement(*store_, kMainWindowPlacementEntry, *this);
    SaveHistoryLineNumber(*store_, commandPanel_->HistoryLines());
    SaveToolbarState(*store_, layout, drawingsOpen);
  }
  event->accept();
}
