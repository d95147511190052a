#pragma once

#include <memory>
#include <optional>
#include <string>

class FcDeviceContext;

// The sheet of the configured printer in its own pixels.
struct FcPrinterPage {
  int physWidth = 0;
  int physHeight = 0;
  int printWidth = 0;
  int printHeight = 0;
  int pixelsPerInchX = 0;
  int pixelsPerInchY = 0;
  // The unprintable margins at the left and the top.
  int physOffsetX = 0;
  int physOffsetY = 0;
};

// The program's printer as commands and dialogs see it; the window side
// installs one on the platform's printing support, tests a recording one.
// A job runs on the calling thread: StartJob, then StartPage and the page's
// drawing on DeviceContext, EndPage, EndJob.
class FcPrinter {
 public:
  virtual ~FcPrinter() = default;
  // Nothing when no printer can be reached.
  virtual std::optional<FcPrinterPage> Page() = 0;
  virtual int Copies() = 0;
  virtual void SetCopies(int copies) = 0;
  // The printer setup dialog (window thread); true after OK.
  virtual bool Setup() = 0;
  virtual bool StartJob(const std::string& documentName) = 0;
  virtual bool StartPage() = 0;
  // The page being drawn; null outside a page.
  virtual FcDeviceContext* DeviceContext() = 0;
  virtual bool EndPage() = 0;
  virtual void EndJob() = 0;
};

// Installs the printer (null removes it); without one nothing prints.
void SetPrinter(std::shared_ptr<FcPrinter> printer);
std::shared_ptr<FcPrinter> GetPrinter();
