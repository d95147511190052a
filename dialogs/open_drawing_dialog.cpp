#include "dialogs/open_drawing_dialog.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QItemSelectionModel>
#include <QPainter>

#include "commands/dialogs/open_dwg_dlg.h"
#include "dialogs/dib_preview.h"
#include "dialogs/file_filters.h"

// The box the dialog's picture is fitted into, filled with the button face
// where the picture leaves room.
class PreviewBox : public QWidget {
 public:
  explicit PreviewBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("preview"));
    setFixedSize(200, 160);
    setCursor(Qt::ArrowCursor);
  }

  void Show(QImage picture, QPoint at) {
    picture_ = std::move(picture);
    at_ = at;
    repaint();
  }
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    if (!picture_.isNull()) painter.drawImage(at_, picture_);
  }

 private:
  QImage picture_;
  QPoint at_;
};

OpenDrawingDialog::OpenDrawingDialog(COpenDwgDlg& data, QWidget* parent) : QFileDialog(parent), data_(data) {
  // The preview box lives inside the dialog, which only the dialog of our
  // own drawing allows.
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::ExistingFile);
  setSizeGripEnabled(true);
  setWindowTitle(QString::fromStdString(data_.m_strTitle));
  setNameFilters(NameFilters(data_.m_strFilter));
  setDefaultSuffix(QString::fromStdString(data_.m_strDefExt));
  preview_ = new PreviewBox(this);
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) grid->addWidget(preview_, 0, grid->columnCount(), -1, 1);
  connect(this, &QFileDialog::currentChanged, this, &OpenDrawingDialog::ShowPreview);
  connect(this, &QFileDialog::directoryEntered, this, [this] { ShowPreview(QString()); });
  // A cleared selection keeps the list's current file, so the dialog says
  // nothing of it; the views do.
  for (QAbstractItemView* view : findChildren<QAbstractItemView*>()) {
    if (view->selectionModel() == nullptr) continue;
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, view] {
      if (!view->selectionModel()->hasSelection()) ShowPreview(QString());
    });
  }
  if (data_.m_strFileName.empty()) return;
  const QString start = QString::fromStdString(data_.m_strFileName);
  setDirectory(QFileInfo(start).path());
  selectFile(start);
}

void OpenDrawingDialog::ShowPreview(const QString& path) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  data_.SelectFile(path.toStdString(), preview_->width(), preview_->height());
  preview_->Show(data_.m_bPreview ? DibImage(data_.m_dib) : QImage(), {data_.m_nImageX, data_.m_nImageY});
  QGuiApplication::restoreOverrideCursor();
}

void OpenDrawingDialog::accept() {
  const QStringList files = selectedFiles();
  data_.m_strPathName = files.isEmpty() ? std::string() : files.front().toStdString();
  QFileDialog::accept();
}
