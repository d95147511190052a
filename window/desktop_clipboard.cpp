#include "window/desktop_clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <QStringList>

#include "platform/clipboard.h"
#include "platform/window_thread.h"

namespace {

// Plain text is taken as Unicode, whatever form the program that put it
// there chose, and handed on as UTF-8.
bool IsText(const std::string& format) { return format == kTextClipboardFormat; }

bool Put(const std::string& format, const std::vector<char>& bytes) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  auto* data = new QMimeData;
  const QByteArray block(bytes.data(), static_cast<qsizetype>(bytes.size()));
  if (IsText(format)) {
    data->setText(QString::fromUtf8(block));
  } else {
    data->setData(QString::fromStdString(format), block);
  }
  clipboard->setMimeData(data);
  return true;
}

bool Formats(std::vector<std::string>& formats) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
  if (data == nullptr) return false;
  for (const QString& format : data->formats()) formats.push_back(format.toStdString());
  return true;
}

bool Get(const std::string& format, std::vector<char>& bytes) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
  if (data == nullptr) return false;
  if (IsText(format) && !data->hasText()) return false;
  const QByteArray block =
      IsText(format) ? data->text().toUtf8() : data->data(QString::fromStdString(format));
  bytes.assign(block.begin(), block.end());
  return true;
}

}  // namespace

void InstallDesktopClipboard(WindowThread& window) {
  ClipboardAccess access;
  access.put = [&window](const std::string& format, const std::vector<char>& bytes) {
    bool done = false;
    window.Send([&] { done = Put(format, bytes); });
    return done;
  };
  access.formats = [&window](std::vector<std::string>& formats) {
    bool done = false;
    window.Send([&] { done = Formats(formats); });
    return done;
  };
  access.get = [&window](const std::string& format, std::vector<char>& bytes) {
    bool done = false;
    window.Send([&] { done = Get(format, bytes); });
    return done;
  };
  SetClipboardAccess(std::move(access));
}

void RemoveDesktopClipboard() { SetClipboardAccess({}); }
