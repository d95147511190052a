#include "window/desktop_clipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "tests/support/gui_application.h"
#include "window/qt_window_thread.h"

namespace {

struct DesktopClipboardScope {
  explicit DesktopClipboardScope(WindowThread& window) { InstallDesktopClipboard(window); }
  ~DesktopClipboardScope() { RemoveDesktopClipboard(); }
};

TEST(DesktopClipboard, CarriesTheDrawingFormatAndUnicodeTextThroughTheDesktopClipboard) {
  GuiApplication();
  QtWindowThread window;
  DesktopClipboardScope scope(window);

  // Bytes of every value, a 0 among them, come back as they went.
  const std::vector<char> drawing{'\0', '\x01', 'S', '\xff', '\0'};
  ASSERT_TRUE(PutClipboardData(kDrawingClipboardFormat, drawing));
  std::vector<std::string> formats;
  ASSERT_TRUE(GetClipboardFormats(formats));
  EXPECT_EQ(formats, std::vector<std::string>{kDrawingClipboardFormat});
  std::vector<char> back;
  ASSERT_TRUE(GetClipboardData(kDrawingClipboardFormat, back));
  EXPECT_EQ(back, drawing);
  EXPECT_FALSE(GetClipboardData(kTextClipboardFormat, back));

  // Text another program put there arrives as UTF-8.
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Ma\xc3\x9f 3\xc3\x97"));
  ASSERT_TRUE(GetClipboardFormats(formats));
  EXPECT_NE(std::find(formats.begin(), formats.end(), kTextClipboardFormat), formats.end());
  ASSERT_TRUE(GetClipboardData(kTextClipboardFormat, back));
  EXPECT_EQ(std::string(back.begin(), back.end()), "Ma\xc3\x9f 3\xc3\x97");
}

}  // namespace
