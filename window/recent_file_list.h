#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QMenu;
class QSettings;
class QWidget;

// The drawings opened or first saved most recently, newest first, kept in
// the settings store under "Recent File List" as "File1" to "File5".
class RecentFileList {
 public:
  static constexpr int kSize = 5;

  // Puts the file first; an entry naming the same file moves up instead of
  // appearing twice, and the oldest entry falls off beyond the size.
  void Add(const std::string& path);
  const std::vector<std::string>& Paths() const { return paths_; }

  void Load(const QSettings& store);
  void Save(QSettings& store) const;

 private:
  std::vector<std::string> paths_;
};

// The text of a menu entry: the number as its mnemonic and the path.
QString RecentFileMenuText(int index, const std::string& path);

// Puts the list in place of every recent-files slot (an action named
// "recentFiles") in the window's menus; choosing an entry calls open with
// its path. An empty list leaves the slot shown and disabled.
void FillRecentFileSlots(QWidget& window, const RecentFileList& list,
                         const std::function<void(const std::string&)>& open);
