#include "window/main_frame.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "database/graph.h"
#include "platform/file_system.h"
#include "platform/program_settings.h"
#include "shell/work_thread.h"

namespace {

struct ModeButtonText {
  DrawingView::Mode mode;
  const char* text;
};

constexpr ModeButtonText kModeButtons[] = {
    {DrawingView::Mode::kSnap, "Snap"},
    {DrawingView::Mode::kGrid, "Grid"},
    {DrawingView::Mode::kOrtho, "Ortho"},
    {DrawingView::Mode::kObjectSnap, "Object Snap"},
};

}  // namespace

MainFrame::MainFrame() {
  setWindowTitle(QStringLiteral("KOVRA 2"));
  area_ = new QMdiArea(this);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(area_);
  connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow*) {
    DrawingView* view = ActiveView();
    ShowCommandLine(view);
    ShowStatus(view);
  });
  BuildCommandBar();
  BuildStatusBar();
  SetFrameLink(this);
  SetApplicationLink(this);
  LoadMenus();
  resize(1024, 768);
}

MainFrame::~MainFrame() {
  // The drawing windows end their command threads while the link still
  // answers them. A closed window waiting for its deferred delete is no
  // longer listed by the area but is still a child, and goes here too,
  // before its view tells a half-destroyed frame that it went.
  qDeleteAll(area_->findChildren<QMdiSubWindow*>());
  SetApplicationLink(nullptr);
  SetFrameLink(nullptr);
}

void MainFrame::BuildCommandBar() {
  commandBar_ = new QDockWidget(QStringLiteral("Command Line"), this);
  commandBar_->setObjectName(QStringLiteral("CommandBar"));
  commandBar_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  auto* body = new QWidget(commandBar_);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);
  history_ = new QPlainTextEdit(body);
  history_->setReadOnly(true);
  history_->setFocusPolicy(Qt::NoFocus);
  history_->setMaximumBlockCount(2000);
  prompt_ = new QLabel(QStringLiteral("Command:"), body);
  prompt_->setTextFormat(Qt::PlainText);
  QFont font(QStringLiteral("Monospace"));
  font.setStyleHint(QFont::TypeWriter);
  history_->setFont(font);
  prompt_->setFont(font);
  layout->addWidget(history_);
  layout->addWidget(prompt_);
  commandBar_->setWidget(body);
  addDockWidget(Qt::BottomDockWidgetArea, commandBar_);
}

void MainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  const auto pane = [bar](const QString& text) {
    auto* label = new QLabel(text, bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(80);
    bar->addPermanentWidget(label);
    return label;
  };
  layerPane_ = pane(QStringLiteral("0"));
  colorPane_ = pane(QStringLiteral("ByLayer"));
  linetypePane_ = pane(QStringLiteral("ByLayer"));
  for (const ModeButtonText& entry : kModeButtons) {
    auto* button = new QToolButton(bar);
    button->setText(QString::fromLatin1(entry.text));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    const DrawingView::Mode mode = entry.mode;
    connect(button, &QToolButton::clicked, this, [this, mode] {
      if (DrawingView* view = ActiveView()) view->ToggleMode(mode);
      ShowStatus(ActiveView());
    });
    bar->addPermanentWidget(button);
    modeButtons_.emplace_back(mode, button);
  }
}

QToolButton& MainFrame::ModeButton(DrawingView::Mode mode) {
  for (auto& [buttonMode, button] : modeButtons_)
    if (buttonMode == mode) return *button;
  return *modeButtons_.front().second;
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
  });
  if (first) {
    window->showMaximized();
  } else {
    window->show();
  }
  area_->setActiveSubWindow(window);
  view->setFocus();
  return window;
}

DrawingView* MainFrame::NewDrawingWindow() {
  auto* view = new DrawingView(window_, *questions_);
  AddWindow(view);
  view->UpdateTitle();
  const std::string& templateFile = GetProgramSettings().template_file;
  if (FileExists(templateFile)) view->ReadTemplate(templateFile);
  return view;
}

DrawingView* MainFrame::OpenDrawingWindow(const std::string& path) {
  auto* view = new DrawingView(window_, *questions_);
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
  if (view == nullptr) {
    prompt_->setText(QStringLiteral("Command:"));
    return;
  }
  const std::vector<std::string>& lines = view->CommandLine().History();
  if (view != shownView_ || lines.size() < shownLines_) {
    history_->clear();
    shownView_ = view;
    shownLines_ = 0;
  }
  for (; shownLines_ < lines.size(); ++shownLines_) history_->appendPlainText(QString::fromStdString(lines[shownLines_]));
  prompt_->setText(QString::fromStdString(view->CommandLine().DisplayedLine()));
}

void MainFrame::ShowStatus(DrawingView* view) {
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
    history_->appendPlainText(QString::fromStdString(text));
  });
}

void MainFrame::PromptText(const std::string& text) {
  window_.Send([this, text] {
    if (DrawingView* view = ReportingView()) view->SetPromptText(text);
  });
}

void MainFrame::ProgressStart(const std::string& text) {
  window_.Post([this, text] { statusBar()->showMessage(QString::fromStdString(text)); });
}

void MainFrame::ProgressPosition(int percent, bool posted) {
  const auto show = [this, percent] {
    const QString text = statusBar()->currentMessage().section(QLatin1Char(' '), 0, 0);
    statusBar()->showMessage(text + QStringLiteral(" %1%").arg(percent));
  };
  if (posted) {
    window_.Post(show);
  } else {
    window_.Send(show);
  }
}

void MainFrame::ProgressEnd() {
  window_.Post([this] { statusBar()->clearMessage(); });
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
  const QString dwgFilter = QStringLiteral("Drawing file (*.dwg)");
  const QString dxfFilter = QStringLiteral("ASCII DXF (*.dxf)");
  const QString binaryFilter = QStringLiteral("Binary DXF (*.dxf)");
  QString selected = currentKind == FcFileKind::kAsciiDxf ? dxfFilter : binaryFilter;
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save drawing"),
                                                    QString::fromStdString(saveProposal_),
                                                    dwgFilter + ";;" + dxfFilter + ";;" + binaryFilter, &selected);
  SaveChoice choice;
  if (path.isEmpty()) return choice;
  choice.path = path.toStdString();
  choice.kind = selected == dwgFilter   ? FcFileKind::kDwg
                : selected == dxfFilter ? FcFileKind::kAsciiDxf
                                        : FcFileKind::kBinaryDxf;
  return choice;
}

std::string MainFrame::ChooseOpenPath() {
  return QFileDialog::getOpenFileName(this, QStringLiteral("Open drawing"), {},
                                      QStringLiteral("Drawings (*.dwg *.dxf *.DWG *.DXF);;All files (*)"))
      .toStdString();
}

void MainFrame::ShowMessage(const std::string& text) {
  QMessageBox::warning(this, windowTitle(), QString::fromStdString(text));
}

void MainFrame::closeEvent(QCloseEvent* event) {
  for (QMdiSubWindow* window : area_->subWindowList()) {
    if (!window->close()) {
      event->ignore();
      return;
    }
  }
  event->accept();
}
