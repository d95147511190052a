#include <gtest/gtest.h>

#include <QCoreApplication>
#include <clocale>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "filers/filer.h"

namespace {

// Restores the locale the process had, after the application object that
// changed it is gone.
class LocaleGuard {
 public:
  LocaleGuard() : saved_(std::setlocale(LC_ALL, nullptr)) {}
  ~LocaleGuard() { std::setlocale(LC_ALL, saved_.c_str()); }
  LocaleGuard(const LocaleGuard&) = delete;
  LocaleGuard& operator=(const LocaleGuard&) = delete;

 private:
  std::string saved_;
};

// The C library and Qt both follow the user's locale once an application
// object exists; DXF numbers must not.
TEST(DxfLocale, RealsIgnoreACommaDecimalLocale) {
  const LocaleGuard guard;
  int argc = 1;
  char name[] = "dxf_locale_test";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  }
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 2.5);
  EXPECT_STREQ(probe, "2,5");

  FcFiler writer;
  writer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kAsciiDxf);
  writer.WriteReal(40, 2.5);
  writer.WriteReal(41, -1234.0625);
  writer.WriteReal(42, 1e-3);
  const std::vector<char> bytes = writer.DetachFile()->TakeBytes();
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), " 40\r\n2.5\r\n 41\r\n-1234.0625\r\n 42\r\n0.001\r\n");

  FcFiler reader;
  reader.AttachFile(std::make_unique<FcFile>(bytes), FcFileKind::kAsciiDxf);
  FcResBuf node;
  for (const double expected : {2.5, -1234.0625, 1e-3}) {
    ASSERT_TRUE(reader.ReadGroup(node));
    EXPECT_EQ(node.realValue, expected);
  }
}

}  // namespace
