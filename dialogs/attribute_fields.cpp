#include "dialogs/attribute_fields.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QCheckBox* NewModeBox(const char* text, int checked, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(text), parent);
  box->setObjectName(QString::fromLatin1(text).toLower());
  box->setChecked(checked != 0);
  return box;
}

QLineEdit* NewTextBox(const char* name, const std::string& text, QWidget* parent) {
  auto* box = new QLineEdit(QString::fromStdString(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

void KeepTagInCapitals(QLineEdit* tag, std::function<void()> tagRule) {
  QObject::connect(tag, &QLineEdit::textEdited, tag, [tag, tagRule = std::move(tagRule)](const QString& text) {
    const int cursor = tag->cursorPosition();
    tag->setText(text.toUpper());
    tag->setCursorPosition(cursor);
    tagRule();
  });
}

void ShowTagNote(const std::string& note, QLabel* noteLine, QPushButton* ok) {
  noteLine->setText(QString::fromStdString(note));
  noteLine->setVisible(!note.empty());
  ok->setEnabled(note.empty());
}

void FollowConstant(QCheckBox* constant, int& member, std::function<bool()> verifyPresetEnabled, QCheckBox* verify,
                    QCheckBox* preset) {
  const auto apply = [constant, &member, verifyPresetEnabled = std::move(verifyPresetEnabled), verify, preset] {
    member = constant->isChecked() ? 1 : 0;
    verify->setEnabled(verifyPresetEnabled());
    preset->setEnabled(verifyPresetEnabled());
  };
  QObject::connect(constant, &QCheckBox::toggled, constant, apply);
  apply();
}
