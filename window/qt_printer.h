#pragma once

#include <QPainter>
#include <QPrinter>
#include <memory>
#include <mutex>

#include "shell/printer.h"
#include "window/screen_device.h"

// The program's printer on Qt's printing support. The setup dialog runs on
// the window thread; a job may run on a command thread.
class QtPrinter : public FcPrinter {
 public:
  // With a file name, jobs are written to that PDF file.
  explicit QtPrinter(const QString& pdfFile = {});

  std::optional<FcPrinterPage> Page() override;
  int Copies() override;
  void SetCopies(int copies) override;
  bool Setup() override;
  bool StartJob(const std::string& documentName) override;
  bool StartPage() override;
  FcDeviceContext* DeviceContext() override;
  bool EndPage() override;
  void EndJob() override;

 private:
  std::mutex mutex_;
  QPrinter printer_;
  QPainter painter_;
  std::unique_ptr<FcDeviceContext> context_;
};
