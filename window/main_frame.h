#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/frame_link.h"
#include "shell/application_link.h"
#include "shell/menu_model.h"
#include "shell/modal_dialog.h"
#include "window/drawing_view.h"
#include "window/menu_builder.h"
#include "window/qt_window_thread.h"
#include "window/recent_file_list.h"
#include "window/text_window.h"

class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMessageBox;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QSettings;
class QToolBar;
class QToolButton;

// The main window: the drawing windows in its MDI area, the command-line
// bar with the active drawing's prompt and history, and the status bar
// with the current layer, colour and linetype and the drafting modes. It
// is the frame link through which every thread reports to the user, and
// the application link through which the application commands reach the
// windows. Its menus, toolbars and accelerators come from the menu file.
class MainFrame : public QMainWindow,
                  public FrameLink,
                  public UserQuestions,
                  public ApplicationLink,
                  public ModalDialogRunner {
 public:
  MainFrame();
  ~MainFrame() override;

  // A new drawing window titled "Untitled": empty, or a copy of the
  // settings' template drawing when that file exists.
  DrawingView* NewDrawingWindow();
  // A drawing window holding the file; null (and no window) when the file
  // cannot be opened.
  DrawingView* OpenDrawingWindow(const std::string& path);
  // Asks for a file and opens it.
  void OpenWithDialog();
  // Opens each dropped drawing file in its own window; other files and
  // folders are passed over.
  void OpenDroppedFiles(const QStringList& paths);
  // Closes the active drawing window through its save prompt.
  void CloseActiveDrawing();
  void SaveActiveDrawing();

  DrawingView* ActiveView() const;
  std::vector<DrawingView*> Views() const;
  QMdiArea& Area() { return *area_; }
  QPlainTextEdit& HistoryBox() { return commandPanel_->History(); }
  QLabel& PromptLine() { return commandPanel_->Prompt(); }
  QDockWidget& CommandBar() { return *commandBar_; }
  CommandLinePanel& CommandBarPanel() { return *commandPanel_; }
  // F2: shows and activates the command-history window while the frame is
  // active, and goes back to the frame from it; only with a drawing open.
  void ToggleTextWindow();
  TextWindow& TextHistoryWindow() { return *textWindow_; }
  QLabel& CoordinatesPane() { return *coordinatesPane_; }
  QLabel& LayerPane() { return *layerPane_; }
  QLabel& ColorPane() { return *colorPane_; }
  QLabel& LinetypePane() { return *linetypePane_; }
  QToolButton& ModeButton(DrawingView::Mode mode);
  WindowThread& Window() { return window_; }

  // Replaces the user questions (tests script the answers).
  void SetQuestions(UserQuestions* questions);

  // Loads the program's menu file and builds the menus, toolbars and
  // accelerators from it, replacing the ones built before. What could not
  // be read is named in one message, shown without stopping the program.
  void LoadMenus();
  // Runs a macro of the menu file: typed into the active drawing's command
  // line, or, with no drawing open, the application command it starts.
  void RunMenuMacro(const std::string& macro);
  // The message of the last menu load that found faults; empty otherwise.
  const std::string& MenuMessage() const { return menuMessage_; }

  // ApplicationLink.
  void PostNewDrawing() override;
  void PostOpenDrawing() override;
  void PostQuit() override;
  void PostMenuLoad() override;
  SaveTarget ChooseSaveTarget(const std::string& proposal, FcFileKind currentKind) override;
  bool HasDrawingWindow() override { return !Views().empty(); }
  int CommandBarLines() override;
  std::vector<ToolbarState> Toolbars() override;
  void ShowToolbars(const std::vector<ToolbarState>& toolbars) override;
  void ApplyCommandBarStyle(int lines) override;
  void PostToolbarIconSize() override;

  // ModalDialogRunner: from any thread, on the window thread.
  int Run(CModalDialog& dialog) override;
  // The store that keeps the recent files and, when the frame closes, its
  // placement. Not owned; it outlives the frame.
  void SetSettingsStore(QSettings* store);
  const RecentFileList& RecentFiles() const { return recentFiles_; }
  // Opens a file of the recent list in a new window; a file that no longer
  // exists opens nothing.
  void OpenRecentFile(const std::string& path);
  // Puts the recent list into the menus' recent-files slots; called again
  // whenever the menus are rebuilt.
  void RefreshRecentFiles();

  // The popup of a mode pane ("On" and "Set..."); null for a pane that has
  // none.
  std::unique_ptr<QMenu> MakePaneMenu(DrawingView::Mode mode);
  QProgressBar& ProgressBar() { return *progressBar_; }

  // FrameLink.
  void CommandHistoryLine(const std::string& text) override;
  void PromptText(const std::string& text) override;
  void ProgressStart(const std::string& text) override;
  void ProgressPosition(int percent, bool posted) override;
  void ProgressEnd() override;
  void MessageBox(const std::string& title, const std::string& text) override;

  // UserQuestions, with dialogs.
  SaveAnswer AskSaveChanges(const std::string& question) override;
  SaveChoice ChooseSavePath(FcFileKind currentKind) override;
  std::string ChooseOpenPath() override;
  void ShowMessage(const std::string& text) override;
  void ShowTitledMessage(const std::string& title, const std::string& text) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The drawing a command thread (or, on the window thread, the active
  // window) reports for.
  DrawingView* ReportingView();
  void ShowCommandLine(DrawingView* view);
  void ShowStatus(DrawingView* view);
  void ViewChanged(DrawingView& view);
  DrawingView* MakeView();
  QMdiSubWindow* AddWindow(DrawingView* view);
  void AddRecentFile(const std::string& path);
  // Runs a progress report on the window thread in the order the reports
  // came, whichever thread makes them.
  void OnWindowThread(std::function<void()> call, bool posted);
  void BuildCommandBar();
  // The small toolbar shown while no drawing is open (New, Open, About,
  // Help); the menu file's toolbars are parked meanwhile and come back as
  // they were once a drawing opens.
  void BuildNoDrawingToolbar();
  void ShowDrawingToolbars();
  void BuildStatusBar();
  // The items of a fixed id that the frame runs itself.
  void ConnectFixedItems();
  void ShowMenuMessage();

  QtWindowThread window_;
  UserQuestions* questions_ = this;
  QMdiArea* area_ = nullptr;
  QDockWidget* commandBar_ = nullptr;
  CommandLinePanel* commandPanel_ = nullptr;
  TextWindow* textWindow_ = nullptr;
  QLabel* coordinatesPane_ = nullptr;
  QLabel* layerPane_ = nullptr;
  QLabel* colorPane_ = nullptr;
  QLabel* linetypePane_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  bool progressShown_ = false;
  QSettings* store_ = nullptr;
  RecentFileList recentFiles_;
  std::vector<std::pair<DrawingView::Mode, QToolButton*>> modeButtons_;
  // History lines that came while no drawing window was there.
  std::vector<std::string> frameHistory_;
  // The view whose history the box shows, and how many of its lines.
  DrawingView* shownView_ = nullptr;
  std::size_t shownLines_ = 0;
  std::unique_ptr<FcInterface> menus_ = std::make_unique<FcInterface>();
  BuiltMenus builtMenus_;
  QToolBar* noDrawingToolbar_ = nullptr;
  QList<QToolBar*> parkedToolbars_;
  std::string menuMessage_;
  // The path the save dialog offers while a save command asks.
  std::string saveProposal_;
};
