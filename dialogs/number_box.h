#pragma once

class QLineEdit;
class QWidget;

// An edit box of a real number, showing the value as the dialogs write it.
QLineEdit* NumberBox(double value, const char* objectName, QWidget* parent);
// The box's number; without one, the dialog says so, the box takes the
// focus and the answer is false, value unchanged.
bool TakeNumberBox(QLineEdit& box, QWidget& dialog, double& value);
