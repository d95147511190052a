#include "window/qt_printer.h"

#include <QPageLayout>
#include <QPrintDialog>

QtPrinter::QtPrinter(const QString& pdfFile) : printer_(QPrinter::HighResolution) {
  if (pdfFile.isEmpty()) return;
  printer_.setOutputFormat(QPrinter::PdfFormat);
  printer_.setOutputFileName(pdfFile);
}

std::optional<FcPrinterPage> QtPrinter::Page() {
  const std::lock_guard lock(mutex_);
  if (!printer_.isValid()) return std::nullopt;
  const QPageLayout layout = printer_.pageLayout();
  const int resolution = printer_.resolution();
  if (resolution <= 0) return std::nullopt;
  const QRect full = layout.fullRectPixels(resolution);
  const QRect printable = layout.paintRectPixels(resolution);
  return FcPrinterPage{full.width(),     full.height(), printable.width(), printable.height(),
                       resolution,       resolution,    printable.left(),  printable.top()};
}

int QtPrinter::Copies() {
  const std::lock_guard lock(mutex_);
  return printer_.copyCount();
}

void QtPrinter::SetCopies(int copies) {
  const std::lock_guard lock(mutex_);
  printer_.setCopyCount(copies);
}

bool QtPrinter::Setup() {
  const std::lock_guard lock(mutex_);
  QPrintDialog dialog(&printer_);
  return dialog.exec() == QDialog::Accepted;
}

bool QtPrinter::StartJob(const std::string& documentName) {
  mutex_.lock();
  printer_.setDocName(QString::fromStdString(documentName));
  if (painter_.begin(&printer_)) return true;
  mutex_.unlock();
  return false;
}

bool QtPrinter::StartPage() {
  // Beginning the job opened its first page.
  if (!painter_.isActive()) return false;
  context_ = std::make_unique<FcDeviceContext>(painter_);
  return true;
}

FcDeviceContext* QtPrinter::DeviceContext() { return context_.get(); }

bool QtPrinter::EndPage() {
  context_.reset();
  return true;
}

void QtPrinter::EndJob() {
  context_.reset();
  painter_.end();
  mutex_.unlock();
}
