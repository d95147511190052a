#pragma once

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

// The widget's child of that type and object name; a missing one fails
// the test where it is looked for.
template <typename Widget>
Widget* Child(QWidget& parent, const char* name) {
  auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}
