#include <QAction>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <functional>
#include <string_view>

#include "platform/program_settings.h"
#include "shell/command_registry.h"
#include "shell/menu_command_ids.h"
#include "shell/menu_file_loading.h"
#include "shell/menu_macro.h"
#include "window/main_frame.h"

namespace {

// Items of a fixed id whose work is a command: typed into the active
// drawing, or run as the application command while no drawing is open.
struct FixedCommand {
  int id;
  const char* name;
};

constexpr FixedCommand kFixedCommands[] = {
    {57664, "About"},
    {57666, "Help"},
    {32778, "Options"},
    {32784, "Homepage"},
};

constexpr int kCascadeId = 57650;
constexpr int kTileHorizontallyId = 57651;
constexpr int kTileVerticallyId = 57652;
constexpr int kArrangeIconsId = 57649;

constexpr int kNeedsDrawingMessageTime = 4000;

void ForEachAction(const QList<QAction*>& actions, const std::function<void(QAction*)>& visit) {
  for (QAction* action : actions) {
    if (QMenu* submenu = action->menu()) ForEachAction(submenu->actions(), visit);
    visit(action);
  }
}

// Rows (one above the other) or columns (side by side) over the whole area.
void Tile(QMdiArea& area, bool sideBySide) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : area.subWindowList())
    if (window->isVisible() && !window->isMinimized()) windows.append(window);
  if (windows.isEmpty()) return;
  const QRect whole = area.viewport()->rect();
  const int count = static_cast<int>(windows.size());
  for (int i = 0; i < count; ++i) {
    windows[i]->showNormal();
    if (sideBySide) {
      const int width = whole.width() / count;
      windows[i]->setGeometry(i * width, 0, width, whole.height());
    } else {
      const int height = whole.height() / count;
      windows[i]->setGeometry(0, i * height, whole.width(), height);
    }
  }
}

// The minimised windows side by side along the bottom of the area, from
// the left, a new row above when one is full.
void ArrangeIcons(QMdiArea& area) {
  const QRect whole = area.viewport()->rect();
  int x = 0;
  int rowBottom = whole.height();
  for (QMdiSubWindow* window : area.subWindowList()) {
    if (!window->isVisible() || !window->isMinimized()) continue;
    const QSize size = window->size();
    if (x > 0 && x + size.width() > whole.width()) {
      x = 0;
      rowBottom -= size.height();
    }
    window->move(x, rowBottom - size.height());
    x += size.width();
  }
}

}  // namespace

void MainFrame::LoadMenus() {
  parkedToolbars_.clear();
  RemoveMenus(*this, builtMenus_);
  ProgramSettings& settings = GetProgramSettings();
  const MenuLoadResult result = LoadProgramMenuFile(*menus_, settings);
  menuMessage_ = result.message;
  builtMenus_ = BuildMenus(*this, *menus_, settings.big_icon_toolbar != 0,
                           [this](const std::string& macro) { RunMenuMacro(macro); });
  ConnectFixedItems();
  RefreshRecentFiles();
  ShowDrawingToolbars();
  if (!menuMessage_.empty()) ShowMenuMessage();
}

void MainFrame::BuildNoDrawingToolbar() {
  noDrawingToolbar_ = new QToolBar(QStringLiteral("Start"), this);
  noDrawingToolbar_->setObjectName(QStringLiteral("NoDrawingToolbar"));
  struct Button {
    QStyle::StandardPixmap icon;
    const char* label;
    const char* command;
  };
  constexpr Button kButtons[] = {
      {QStyle::SP_FileIcon, "New", "new"},
      {QStyle::SP_DialogOpenButton, "Open", "open"},
      {QStyle::SP_MessageBoxInformation, "About", "about"},
      {QStyle::SP_DialogHelpButton, "Help", "help"},
  };
  for (const Button& button : kButtons) {
    if (std::string_view(button.command) == "about") noDrawingToolbar_->addSeparator();
    const std::string macro = std::string("^C^C_") + button.command;
    noDrawingToolbar_->addAction(style()->standardIcon(button.icon), QString::fromLatin1(button.label), this,
                                 [this, macro] { RunMenuMacro(macro); });
  }
  addToolBar(noDrawingToolbar_);
}

void MainFrame::ShowDrawingToolbars() {
  if (noDrawingToolbar_ == nullptr) return;
  const bool drawingsOpen = !Views().empty();
  noDrawingToolbar_->setVisible(!drawingsOpen);
  if (drawingsOpen) {
    for (QToolBar* toolbar : parkedToolbars_) toolbar->show();
    parkedToolbars_.clear();
    return;
  }
  for (QToolBar* toolbar : builtMenus_.toolbars) {
    if (toolbar->isHidden()) continue;
    if (!parkedToolbars_.contains(toolbar)) parkedToolbars_.append(toolbar);
    toolbar->hide();
  }
}

void MainFrame::ShowMenuMessage() {
  // Not modal: the program comes up with the menus it could read while the
  // message waits to be read.
  auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), QString::fromStdString(menuMessage_),
                              QMessageBox::Ok, this);
  box->setObjectName(QStringLiteral("menuFileMessage"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void MainFrame::ConnectFixedItems() {
  const auto connectItem = [this](QAction* action) {
    bool isNumber = false;
    const int id = action->data().toInt(&isNumber);
    if (!isNumber) return;
    for (const FixedCommand& fixed : kFixedCommands) {
      if (fixed.id != id) continue;
      const std::string name = fixed.name;
      connect(action, &QAction::triggered, this, [this, name] { RunMenuMacro("^C^C_" + name); });
      return;
    }
    if (id == kCascadeId) connect(action, &QAction::triggered, area_, &QMdiArea::cascadeSubWindows);
    if (id == kTileHorizontallyId) connect(action, &QAction::triggered, this, [this] { Tile(*area_, false); });
    if (id == kTileVerticallyId) connect(action, &QAction::triggered, this, [this] { Tile(*area_, true); });
    if (id == kArrangeIconsId) connect(action, &QAction::triggered, this, [this] { ArrangeIcons(*area_); });
  };
  for (QMenu* menu : builtMenus_.menus) ForEachAction(menu->actions(), connectItem);
  for (QToolBar* toolbar : builtMenus_.toolbars) ForEachAction(toolbar->actions(), connectItem);
}

void MainFrame::RunMenuMacro(const std::string& macro) {
  if (DrawingView* view = ActiveView()) {
    view->Core().ExecuteMacro(macro);
    return;
  }
  if (RunMacroWithoutDrawing(macro) == kCommandNotHandled)
    statusBar()->showMessage(QStringLiteral("Open or start a drawing for this command."), kNeedsDrawingMessageTime);
}

void MainFrame::PostNewDrawing() {
  window_.Post([this] { NewDrawingWindow(); });
}

void MainFrame::PostOpenDrawing() {
  window_.Post([this] { OpenWithDialog(); });
}

void MainFrame::PostQuit() {
  window_.Post([this] { close(); });
}

void MainFrame::PostMenuLoad() {
  window_.Post([this] {
    ProgramSettings& settings = GetProgramSettings();
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Load menu file"), QString::fromStdString(settings.menu_file_name),
                                     QStringLiteral("KOVRA Menu file (*.mnu)"));
    if (path.isEmpty()) return;
    settings.menu_file_name = path.toStdString();
    LoadMenus();
  });
}

ApplicationLink::SaveTarget MainFrame::ChooseSaveTarget(const std::string& proposal, FcFileKind currentKind) {
  SaveTarget target;
  window_.Send([this, &proposal, currentKind, &target] {
    saveProposal_ = proposal;
    const UserQuestions::SaveChoice choice = questions_->ChooseSavePath(currentKind);
    saveProposal_.clear();
    target.path = choice.path;
    target.kind = choice.kind;
  });
  return target;
}

std::vector<ApplicationLink::ToolbarState> MainFrame::Toolbars() {
  std::vector<ToolbarState> toolbars;
  for (QToolBar* toolbar : builtMenus_.toolbars) toolbars.push_back({toolbar->windowTitle().toStdString(), !toolbar->isHidden()});
  return toolbars;
}

void MainFrame::ShowToolbars(const std::vector<ToolbarState>& toolbars) {
  for (const ToolbarState& state : toolbars) {
    for (QToolBar* toolbar : builtMenus_.toolbars)
      if (toolbar->windowTitle().toStdString() == state.name) toolbar->setVisible(state.shown);
  }
}

void MainFrame::PostToolbarIconSize() {
  window_.Post([this] {
    // The toolbars are built anew; each keeps whether it was shown.
    const std::vector<ToolbarState> shown = Toolbars();
    LoadMenus();
    ShowToolbars(shown);
  });
}
