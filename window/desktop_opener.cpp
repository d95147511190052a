#include "window/desktop_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "platform/document_opener.h"
#include "platform/window_thread.h"

void InstallDesktopOpener(WindowThread& window) {
  SetDocumentOpener([&window](DocumentKind kind, const std::string& address) {
    const QString text = QString::fromStdString(address);
    const QUrl url = kind == DocumentKind::kLocalFile ? QUrl::fromLocalFile(text) : QUrl(text);
    bool opened = false;
    window.Send([&] { opened = QDesktopServices::openUrl(url); });
    return opened;
  });
}

void RemoveDesktopOpener() { SetDocumentOpener({}); }
