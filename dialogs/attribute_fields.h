#pragma once

#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The boxes the attribute dialogs share, each named for the tests that
// look for it.
QCheckBox* NewModeBox(const char* text, int checked, QWidget* parent);
QLineEdit* NewTextBox(const char* name, const std::string& text, QWidget* parent);
// Shows the typed tag in capitals, as it is kept, then runs the tag rule.
void KeepTagInCapitals(QLineEdit* tag, std::function<void()> tagRule);
// The tag rule's verdict: the note shown under the tag when there is one,
// and OK enabled only when there is none.
void ShowTagNote(const std::string& note, QLabel* noteLine, QPushButton* ok);
// Keeps the member in step with Constant and greys Verify and Preset
// while the dialog's rule says they mean nothing (asked now and on every
// change of Constant).
void FollowConstant(QCheckBox* constant, int& member, std::function<bool()> verifyPresetEnabled, QCheckBox* verify,
                    QCheckBox* preset);
