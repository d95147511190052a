#include "window/recent_file_list.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QWidget>
#include <algorithm>

#include "platform/qt/program_settings_store.h"

namespace {

const QString kSection = QStringLiteral("Recent File List/");
const char kEntryProperty[] = "recentFileEntry";

QString EntryKey(int index) { return kSection + QStringLiteral("File%1").arg(index + 1); }

// The same file reached through another spelling of its path (relative,
// "..", a symbolic link) is one entry.
std::string Normalised(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  const QString canonical = file.canonicalFilePath();
  return (canonical.isEmpty() ? QDir::cleanPath(file.absoluteFilePath()) : canonical).toStdString();
}

}  // namespace

void RecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  const std::string entry = Normalised(path);
  std::erase_if(paths_, [&entry](const std::string& known) { return Normalised(known) == entry; });
  paths_.insert(paths_.begin(), entry);
  if (paths_.size() > kSize) paths_.resize(kSize);
}

void RecentFileList::Load(const QSettings& store) {
  paths_.clear();
  for (int index = 0; index < kSize; ++index) {
    const std::string path = ReadStoredText(store, EntryKey(index)).value_or(std::string());
    if (path.empty()) continue;
    const std::string entry = Normalised(path);
    if (std::find(paths_.begin(), paths_.end(), entry) == paths_.end()) paths_.push_back(entry);
  }
}

void RecentFileList::Save(QSettings& store) const {
  for (int index = 0; index < kSize; ++index) {
    if (index < static_cast<int>(paths_.size())) {
      store.setValue(EntryKey(index), QString::fromStdString(paths_[index]));
    } else {
      store.remove(EntryKey(index));
    }
  }
  store.sync();
}

QString RecentFileMenuText(int index, const std::string& path) {
  QString text = QDir::toNativeSeparators(QString::fromStdString(path));
  // A single ampersand in a file name would underline the next letter.
  text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return QStringLiteral("&%1 ").arg(index + 1) + text;
}

void FillRecentFileSlots(QWidget& window, const RecentFileList& list,
                         const std::function<void(const std::string&)>& open) {
  const std::vector<std::string>& paths = list.Paths();
  for (QAction* slot : window.findChildren<QAction*>(QStringLiteral("recentFiles"))) {
    for (QObject* owner : slot->associatedObjects()) {
      auto* menu = qobject_cast<QMenu*>(owner);
      if (menu == nullptr) continue;
      for (QAction* action : menu->actions()) {
        if (!action->property(kEntryProperty).toBool()) continue;
        menu->removeAction(action);
        action->deleteLater();
      }
      for (int index = 0; index < static_cast<int>(paths.size()); ++index) {
        auto* entry = new QAction(RecentFileMenuText(index, paths[index]), menu);
        entry->setProperty(kEntryProperty, true);
        const std::string path = paths[index];
        QObject::connect(entry, &QAction::triggered, menu, [open, path] { open(path); });
        menu->insertAction(slot, entry);
      }
    }
    slot->setVisible(paths.empty());
    slot->setEnabled(false);
  }
}
