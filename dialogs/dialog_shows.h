#pragma once

class CModalDialog;
class QWidget;

// Shows the dialog modally with the widget that belongs to its type and
// returns its end code; a dialog without a widget is cancelled. Window
// thread only.
int ShowModalDialog(CModalDialog& dialog, QWidget* parent);
