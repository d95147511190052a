#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// An edit box bound to a real number, written and read as the dialogs
// write numbers. A box that holds no number is refused with a message and
// takes the focus, and the value stays as it was.
void ShowNumber(QLineEdit* box, double value);
// A new box of that kind, named for the tests that look for it.
QLineEdit* NewNumberBox(const char* name, double value, QWidget* parent);
bool TakeNumber(QLineEdit* box, double& value);
// The same for a box read each time it is left: a box that holds no number
// shows the value again before the refusal, so the focus the message takes
// away finds a number there and does not refuse it a second time.
bool TakeNumberOrKeep(QLineEdit* box, double& value);

// A warning that leaves the dialog open, under the program's title.
void ShowRefusal(QWidget* parent, const QString& text);
