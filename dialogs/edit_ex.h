#pragma once

#include <QColor>
#include <QLineEdit>
#include <functional>
#include <string_view>

// An edit box with its own colours, an optional keystroke filter and a
// locked state in which its text can be selected and copied but not
// changed.
class CEditEx : public QLineEdit {
 public:
  // Takes the box's text and the typed character; gives the character to
  // insert instead, or 0 to drop the keystroke.
  using CharFilter = std::function<char32_t(std::u32string_view text, char32_t typed)>;

  explicit CEditEx(QWidget* parent);

  void SetFilter(CharFilter filter) { filter_ = std::move(filter); }
  void SetLocked(bool locked);
  bool IsLocked() const { return isReadOnly(); }
  // An invalid colour keeps the system's.
  void SetColors(const QColor& background, const QColor& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CharFilter filter_;
};
