#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/display_surface.h"
#include "shell/printer.h"
#include "tests/support/recording_device.h"

// A printer that writes down the job, and a print surface device that keeps
// what the print pass drew after the surface is gone. Installed for the
// test's lifetime.
class RecordingPrinter : public FcPrinter {
 public:
  std::optional<FcPrinterPage> Page() override { return page; }
  int Copies() override { return copies; }
  void SetCopies(int value) override { copies = value; }
  bool Setup() override { return false; }
  bool StartJob(const std::string& name) override {
    calls.push_back("StartJob " + name);
    return jobStarts;
  }
  bool StartPage() override {
    calls.push_back("StartPage");
    return pageStarts;
  }
  FcDeviceContext* DeviceContext() override { return nullptr; }
  bool EndPage() override {
    calls.push_back("EndPage");
    return true;
  }
  void EndJob() override { calls.push_back("EndJob"); }

  // Letter at 600 pixels per inch, 8 by 10.5 inches printable.
  std::optional<FcPrinterPage> page = FcPrinterPage{5100, 6600, 4800, 6300, 600, 600, 150, 150};
  int copies = 1;
  bool jobStarts = true;
  bool pageStarts = true;
  std::vector<std::string> calls;
};

class PrintedCalls {
 public:
  PrintedCalls() {
    Calls().clear();
    SetScreenDeviceFactory(&Make);
  }
  ~PrintedCalls() { SetScreenDeviceFactory(nullptr); }
  PrintedCalls(const PrintedCalls&) = delete;
  PrintedCalls& operator=(const PrintedCalls&) = delete;

  static std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
  }

 private:
  class Device : public RecordingDevice {
   public:
    ~Device() override { Calls().insert(Calls().end(), calls.begin(), calls.end()); }
  };
  static std::unique_ptr<FcDisplayDevice> Make() { return std::make_unique<Device>(); }
};

class PrinterScope {
 public:
  PrinterScope() : printer(std::make_shared<RecordingPrinter>()) { SetPrinter(printer); }
  ~PrinterScope() { SetPrinter(nullptr); }
  PrinterScope(const PrinterScope&) = delete;
  PrinterScope& operator=(const PrinterScope&) = delete;

  std::shared_ptr<RecordingPrinter> printer;
};
