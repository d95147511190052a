#pragma once

class CBmpButton;
class QString;
class QWidget;

// The block dialogs' pick buttons: a small picture left of the caption,
// drawn on magenta, which is left out.
enum class PickPicture { kPoint, kObjects };
CBmpButton* NewPickButton(const char* name, const QString& caption, PickPicture picture, QWidget* parent);
