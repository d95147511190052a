#include <gtest/gtest.h>

#include <zlib.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <functional>
#include <string>
#include <vector>

#include "export/export_device.h"
#include "tests/support/export_test_support.h"

namespace {

using Drawing = std::function<void(FcDisplayDevice&)>;

constexpr FcColorRef kRed = 0x0000FF;

// One export pass as the display surface runs it, on a device of the given
// size in output units; the file's bytes, or "<no file>".
std::string Export(FcExportDevice& device, const std::string& path, double width, double height,
                   const Drawing& draw) {
  device.width = static_cast<int>(width * 1000);
  device.height = static_cast<int>(height * 1000);
  device.BeginPaint({nullptr, path}, 0);
  draw(device);
  device.EndPaint();
  EXPECT_TRUE(device.Succeeded());
  return std::filesystem::exists(path) ? ReadWholeFile(path) : "<no file>";
}

void RedLine(FcDisplayDevice& device) {
  device.SetColor(kRed);
  device.MoveTo(0, 0);
  device.LineTo(10000, 5000);
}

// A drawing and what it writes.
struct DrawingCase {
  const char* name;
  Drawing draw;
  const char* expected;
};

const FcDevicePoint kTriangle[] = {{0, 0}, {4000, 0}, {0, 3000}};

TEST(ExportNumbersTest, TrimmedForms) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  const Case cases[] = {{12.5, 2, "12.5"},   {3.0, 2, "3"},        {0.0, 2, "0"},         {-0.001, 2, "-0"},
                        {1234.567, 2, "1234.57"}, {0.50196, 3, "0.502"}, {100.0, 0, "100"}, {-2.25, 3, "-2.25"}};
  for (const Case& c : cases) EXPECT_EQ(FormatTrimmed(c.value, c.decimals), c.text) << c.value;
}

// The numbers as std::to_chars rounds the exact value, trimmed as the
// files have them.
std::string ExactlyRounded(double value, int decimals, bool trimmed) {
  char buffer[400];
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (!trimmed || text.find('.') == std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

// The numbers are written without std::to_chars where that is safe: they
// must be the digits of the exact value rounded, ties and halves that the
// double cannot hold exactly included.
TEST(ExportNumbersTest, AgreeWithTheExactlyRoundedValue) {
  std::vector<double> values = {0.125, -0.125, 0.375, 2.675, 1.005, 1.015, 0.5, -0.5, 2.5, 0.0005, -0.0,
                                1e-300, -1e-300, 99999999.995, 123456789.125, 1e11, -3e15, 1e300,
                                std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::denorm_min()};
  // Halves of the last decimal and their neighbours, over several magnitudes.
  for (int k = -3000; k <= 3000; ++k) {
    for (const double unit : {1.0, 1e3, 1e6}) {
      const double half = (k + 0.5) * unit / 1000.0;
      values.push_back(half);
      values.push_back(std::nextafter(half, 0.0));
      values.push_back(std::nextafter(half, 1e300));
    }
  }
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-8.0, 12.0);
  for (int i = 0; i < 20000; ++i) values.push_back((i % 2 ? -1.0 : 1.0) * std::pow(10.0, exponent(random)));
  for (const double value : values) {
    for (int decimals = 0; decimals <= 7; ++decimals) {
      std::string fixed = "<";
      AppendFixed(fixed, value, decimals);
      std::string trimmed = "<";
      AppendTrimmed(trimmed, value, decimals);
      ASSERT_EQ(fixed, "<" + ExactlyRounded(value, decimals, false)) << value << " at " << decimals;
      ASSERT_EQ(trimmed, "<" + ExactlyRounded(value, decimals, true)) << value << " at " << decimals;
    }
  }
}

std::string EpsHeaderFor(const std::string& name, const std::string& size) {
  return "%!PS-Adobe-3.0 EPSF-3.0\n%%Creator: KOVRA export\n%%Title: " + name + "\n%%BoundingBox: 0 0 " + size +
         "\n%%Pages: 1\n%%CreationDate: <date>\n%%EndComments\n%%BeginProlog\n/m {moveto} def\n/l {lineto} def\n"
         "/sw {setlinewidth} def\n/sc {setrgbcolor} def\n/np {newpath} def\n/cp {closepath} def\n/st {stroke} def\n"
         "/m_pExportFile {fill} def\n/ef {eofill} def\n%%EndProlog\n%%BeginSetup\n%%EndSetup\n";
}

// The file with its date line (which changes from day to day) replaced.
std::string WithoutDate(std::string text) {
  const std::string key = "%%CreationDate: ";
  const std::size_t start = text.find(key);
  if (start == std::string::npos) return text;
  const std::size_t end = text.find('\n', start);
  return text.replace(start + key.size(), end - start - key.size(), "<date>");
}

TEST(EpsExportTest, WritesTheDocument) {
  const DrawingCase cases[] = {
      {"red line", RedLine, "1.000 0.000 0.000 sc\nnp\n0.000 0.000 m\n10.000 5.000 l\nst\n"},
      {"empty drawing", [](FcDisplayDevice&) {}, ""},
      {"repeated points collapse",
       [](FcDisplayDevice& d) {
         d.MoveTo(1000, 1000);
         d.LineTo(1000, 1000);
         d.LineTo(1000, 1000);
         d.MoveTo(0, 0);
         d.LineTo(2000, 0);
         d.LineTo(2000, 0);
       },
       "np\n0.000 0.000 m\n2.000 0.000 l\nst\n"},
      {"same colour keeps the path, another ends it",
       [](FcDisplayDevice& d) {
         d.SetColor(kRed);
         d.MoveTo(0, 0);
         d.LineTo(1000, 0);
         d.SetColor(kRed);
         d.LineTo(1000, 1000);
         d.SetColor(0xFFFFFF);
       },
       "1.000 0.000 0.000 sc\nnp\n0.000 0.000 m\n1.000 0.000 l\n1.000 1.000 l\nst\n1.000 1.000 1.000 sc\n"},
      {"pixel, polyline, polygon",
       [](FcDisplayDevice& d) {
         d.SetPixel(500, 1500);
         d.Polyline(kTriangle, 2);
         d.Polyline(kTriangle, 1);
         d.Polygon(kTriangle, 3);
         d.Polygon(kTriangle, 2);
       },
       "np\n0.500 1.500 m\n0.500 1.500 l\nst\n"
       "np\n0.000 0.000 m\n4.000 0.000 l\nst\n"
       "np\n0.000 0.000 m\n4.000 0.000 l\n0.000 3.000 l\nm_pExportFile\n"},
      {"poly-polygon of two rings",
       [](FcDisplayDevice& d) {
         const FcDevicePoint points[] = {{0, 0}, {4000, 0}, {0, 3000}, {1000, 1000}, {2000, 1000}, {1000, 2000}};
         const std::int32_t counts[] = {3, 0, 3};
         d.PolyPolygon(points, counts, 3);
       },
       "np\n0.000 0.000 m\n4.000 0.000 l\n0.000 3.000 l\ncp\n1.000 1.000 m\n2.000 1.000 l\n1.000 2.000 l\ncp\nef\n"},
  };
  for (const DrawingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    FcEpsExportDevice device;
    const std::string text = Export(device, folder.File("plan.eps"), 100, 50, c.draw);
    EXPECT_EQ(WithoutDate(text),
              EpsHeaderFor("plan.eps", "100.000 50.000") + c.expected + "showpage\n%%Trailer\n");
  }
}

TEST(HpglExportTest, WritesTheCommands) {
  const std::int32_t twoRings[] = {3, 2};
  const std::int32_t thinFirstRing[] = {2, 3};
  const FcDevicePoint ringPoints[] = {{0, 0}, {4000, 0}, {0, 3000}, {1000, 1000}, {2000, 1000}};
  const DrawingCase cases[] = {
      {"line in colour 1",
       [](FcDisplayDevice& d) {
         d.SetPen(1);
         d.MoveTo(0, 0);
         d.LineTo(10000, 5000);
       },
       "SP1;PU0.000,0.000;PD0.000,0.000,10.000,5.000;"},
      {"a move alone, then a zero-length stroke",
       [](FcDisplayDevice& d) {
         d.MoveTo(1000, 1000);
         d.MoveTo(2000, 2000);
         d.LineTo(2000, 2000);
         d.SetPen(3);
         d.SetPen(3);
       },
       "PU2.000,2.000;PD2.000,2.000,2.000,2.000;SP3;SP3;"},
      {"pixel and polyline",
       [](FcDisplayDevice& d) {
         d.SetPixel(500, 1500);
         d.Polyline(kTriangle, 3);
       },
       "PU0.500,1.500;PD0.500,1.500;PU0.000,0.000;PD0.000,0.000,4.000,0.000,0.000,3.000;"},
      {"triangle", [](FcDisplayDevice& d) { d.Polygon(kTriangle, 3); },
       "PU0.000,0.000;FT2;PM0;PD0.000,0.000,0.000,0.000,4.000,0.000,0.000,3.000,0.000,0.000;PM2;FP;\n"},
      {"true colour: no polygon, poly-polygon still filled",
       [&](FcDisplayDevice& d) {
         d.SetPen(-1);
         d.Polygon(kTriangle, 3);
         d.PolyPolygon(ringPoints, twoRings, 2);
         d.PolyPolygon(ringPoints, thinFirstRing, 2);
       },
       "PU0.000,0.000;FT2;PM0;PD4.000,0.000,0.000,3.000,0.000,0.000;PM1;"
       "PU1.000,1.000;PD2.000,1.000,1.000,1.000;PM2;FP;\n"},
  };
  for (const DrawingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    FcHPGLExportDevice device;
    const std::string text = Export(device, folder.File("plan.plt"), 100, 50, c.draw);
    EXPECT_EQ(text, std::string("IN;SP1;SC0.0,100.000,0.0,50.000;\n") + c.expected + "PG;");
  }
}

TEST(SvgExportTest, WritesTheDocument) {
  const std::string stroke = "\"\nfill=\"none\" stroke=\"";
  const DrawingCase cases[] = {
      {"red line", RedLine, "<path d=\"M0 20L10 15\"\nfill=\"none\" stroke=\"red\" stroke-width=\"0.2\"/>\n"},
      {"empty drawing", [](FcDisplayDevice&) {}, ""},
      {"two runs share an element; a colour change starts another",
       [](FcDisplayDevice& d) {
         d.LineTo(5000, 5000);
         d.MoveTo(0, 0);
         d.LineTo(1000, 0);
         d.LineTo(1000, 0);
         d.LineTo(1000, 1500);
         d.MoveTo(2000, 0);
         d.LineTo(3000, 0);
         d.SetColor(0x80FF80);
         d.LineTo(4000, 0);
         d.MoveTo(0, 0);
         d.LineTo(0, 1000);
       },
       "<path d=\"M0 20L1 20 1 18.5M2 20L3 20\"\nfill=\"none\" stroke=\"black\" stroke-width=\"0.2\"/>\n"
       "<path d=\"M0 20L0 19\"\nfill=\"none\" stroke=\"RGB(128,255,128)\" stroke-width=\"0.2\"/>\n"},
      {"polygon closed and filled, two-point polygon as a line, pixel, poly-polygon",
       [](FcDisplayDevice& d) {
         d.SetColor(kRed);
         d.Polygon(kTriangle, 3);
         d.Polygon(kTriangle, 2);
         d.SetColor(0);
         d.SetPixel(500, 1500);
         const FcDevicePoint points[] = {{0, 0}, {4000, 0}, {0, 3000}, {1000, 1000}, {2000, 1000}, {1000, 2000}};
         const std::int32_t counts[] = {3, 3};
         d.PolyPolygon(points, counts, 2);
       },
       "<path d=\"M0 20L4 20 0 17Z\"\nfill-rule=\"evenodd\" fill=\"red\" stroke=\"red\" stroke-width=\"0.2\"/>\n"
       "<path d=\"M0 20L4 20\"\nfill=\"none\" stroke=\"red\" stroke-width=\"0.2\"/>\n"
       "<path d=\"M0.5 18.5L0.5 18.5\"\nfill=\"none\" stroke=\"black\" stroke-width=\"0.2\"/>\n"
       "<path d=\"M0 20L4 20 0 17Z\nM1 19L2 19 1 18Z\"\nfill-rule=\"evenodd\" fill=\"black\"/>\n"},
      {"points that write the same numbers as the one before are left out, and a bare L with them",
       [](FcDisplayDevice& d) {
         const FcDevicePoint run[] = {{0, 0}, {3, 0}, {1000, 0}, {1002, 1}};
         d.Polyline(run, 4);
         d.Polyline(run, 2);
       },
       "<path d=\"M0 20L1 20\"\nfill=\"none\" stroke=\"black\" stroke-width=\"0.2\"/>\n"
       "<path d=\"M0 20\"\nfill=\"none\" stroke=\"black\" stroke-width=\"0.2\"/>\n"},
  };
  for (const DrawingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    FcSVGExportDevice device;
    const std::string text = Export(device, folder.File("plan.svg"), 30, 20, c.draw);
    EXPECT_EQ(text, std::string("<?xml version=\"1.0\" standalone=\"no\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
                                "width=\"30.000\" height=\"20.000\" viewBox=\"0.0 0.0 30.000 20.000\">\n"
                                "  <title>KOVRA export result</title>\n  <desc>KOVRA export result</desc>\n") +
                        c.expected + "</svg>\n");
  }
}

TEST(SvgExportTest, ColourKeywords) {
  struct Case {
    FcColorRef rgb;
    const char* keyword;
  };
  const Case cases[] = {
      {MakeColorRef(255, 255, 255), "white"},   {MakeColorRef(255, 0, 0), "red"},
      {MakeColorRef(0, 255, 255), "cyan"},      {MakeColorRef(255, 0, 255), "fuchsia"},
      {MakeColorRef(128, 128, 128), "gray"},    {MakeColorRef(0, 0, 0), "black"},
      {MakeColorRef(154, 205, 50), "yellowgreen"}, {MakeColorRef(240, 248, 255), "aliceblue"},
      {MakeColorRef(250, 250, 210), "RGB(250,250,210)"}, {MakeColorRef(1, 2, 3), "RGB(1,2,3)"},
  };
  for (const Case& c : cases) EXPECT_EQ(SvgColorKeyword(c.rgb), c.keyword);
}

TEST(SvgExportTest, CompressedIsGzipOfTheDocument) {
  ScratchFolder folder;
  FcSVGExportDevice plain;
  FcSVGExportDevice packed;
  packed.compressed = true;
  const std::string text = Export(plain, folder.File("plan.svg"), 30, 20, RedLine);
  const std::string gz = Export(packed, folder.File("plan.svgz"), 30, 20, RedLine);
  ASSERT_GE(gz.size(), 18u);
  EXPECT_EQ(gz.substr(0, 3), "\x1F\x8B\x08");
  EXPECT_EQ(Inflate(gz), text);
}

// The stream between "stream\n" and "\nendstream", inflated.
std::string PdfContent(const std::string& file) {
  const std::size_t start = file.find("stream\n");
  const std::size_t end = file.find("\nendstream");
  if (start == std::string::npos || end == std::string::npos) return "<no stream>";
  return Inflate(file.substr(start + 7, end - start - 7));
}

std::string XrefEntry(std::size_t offset) {
  char entry[21];
  std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
  return entry;
}

TEST(PdfExportTest, RedLineFile) {
  ScratchFolder folder;
  FcPDFExportDevice device;
  const std::string file = Export(device, folder.File("plan.pdf"), 100, 50, RedLine);

  const std::string content = "0 w 1 J 1 j 1 0 0 RG 1 0 0 rg 15 15 m 25 20 l S";
  uLongf size = compressBound(content.size());
  std::string compressed(size, '\0');
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
                      reinterpret_cast<const Bytef*>(content.data()), content.size(), Z_DEFAULT_COMPRESSION),
            Z_OK);
  compressed.resize(size);
  const std::vector<std::pair<int, std::string>> objects = {
      {1, "1 0 obj\n<</Type /Catalog\n/Pages 3 0 R\n/Outlines 2 0 R>>\nendobj\n"},
      {2, "2 0 obj\n<</Type /Outlines\n/Count 0>>\nendobj\n"},
      {3, "3 0 obj\n<</Type /Pages\n/MediaBox [0 0 130 80]\n/Kids [6 0 R]\n/Count 1>>\nendobj\n"},
      {6, "6 0 obj\n<</Type /Page\n/Parent 3 0 R\n/Resources <<>>\n/Contents [7 0 R]>>\nendobj\n"},
      {7, "7 0 obj\n<</Filter [/FlateDecode]\n/Length 8 0 R>>\nstream\n" + compressed + "\nendstream\nendobj\n"},
      {8, "8 0 obj\n" + std::to_string(size) + "\nendobj\n"},
      {4, "4 0 obj\n[/PDF /Text]\nendobj\n"},
      {5, "5 0 obj\n<</Producer (KOVRA Export PDF)>>\nendobj\n"},
  };
  std::string expected = "%PDF-1.2\n";
  std::vector<std::size_t> offsets(9);
  for (const auto& [number, text] : objects) {
    offsets[static_cast<std::size_t>(number)] = expected.size();
    expected += text;
  }
  const std::size_t xref = expected.size();
  expected += "xref\n0 9\n0000000000 65535 f \n";
  for (int number = 1; number <= 8; ++number) expected += XrefEntry(offsets[static_cast<std::size_t>(number)]);
  expected += "trailer\n<</Size 9\n/Root 1 0 R\n/Info 5 0 R>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  EXPECT_EQ(file, expected);
}

TEST(PdfExportTest, ContentOperators) {
  const DrawingCase cases[] = {
      {"empty drawing", [](FcDisplayDevice&) {}, ""},
      {"chain, then a line to the current point",
       [](FcDisplayDevice& d) {
         d.LineTo(1000, 1000);
         d.MoveTo(0, 0);
         d.LineTo(1000, 0);
         d.LineTo(1000, 0);
         d.LineTo(1000, 2500);
         d.MoveTo(0, 0);
       },
       "15 15 m 16 15 l 16 17.5 l S "},
      {"grey and black, written at every call; a pending move survives",
       [](FcDisplayDevice& d) {
         d.SetColor(MakeColorRef(128, 128, 128));
         d.MoveTo(0, 0);
         d.SetColor(0);
         d.SetColor(0);
         d.LineTo(1000, 0);
       },
       "0.502 G 0.502 g 0 G 0 g 0 G 0 g 15 15 m 16 15 l S"},
      {"pixel, polyline, polygons",
       [](FcDisplayDevice& d) {
         d.SetPixel(500, 1500);
         d.Polyline(kTriangle, 2);
         d.Polygon(kTriangle, 2);
         d.Polygon(kTriangle, 3);
         const std::int32_t counts[] = {3};
         d.PolyPolygon(kTriangle, counts, 1);
       },
       "15.5 16.5 m 15.5 16.5 l S 15 15 m 15 15 l 19 15 l S 15 15 m 19 15 l 15 18 l b "
       "15 15 m 19 15 l 15 18 l h B* "},
      {"points that write the same numbers as the one before are left out; a polyline still repeats its first",
       [](FcDisplayDevice& d) {
         const FcDevicePoint ring[] = {{0, 0}, {1, 0}, {2, 1}, {1000, 0}, {1000, 1000}};
         d.Polygon(ring, 5);
         d.Polyline(ring, 4);
       },
       "15 15 m 16 15 l 16 16 l b 15 15 m 15 15 l 16 15 l S "},
  };
  for (const DrawingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    FcPDFExportDevice device;
    const std::string file = Export(device, folder.File("plan.pdf"), 100, 50, c.draw);
    EXPECT_EQ(PdfContent(file), std::string("0 w 1 J 1 j ") + c.expected);
  }
}

TEST(PdfExportTest, MediaBoxDropsTheFraction) {
  ScratchFolder folder;
  FcPDFExportDevice device;
  const std::string file = Export(device, folder.File("a4.pdf"), 595.5, 842, [](FcDisplayDevice&) {});
  EXPECT_NE(file.find("/MediaBox [0 0 625 872]"), std::string::npos);
}

TEST(ExportFailureTest, UnwritableTargetsAreReported) {
  ScratchFolder folder;
  const std::string targets[] = {folder.File("missing/plan"), "/dev/full", folder.Path().string(), ""};
  for (const auto& [extension, make] : ExportFormats()) {
    for (const std::string& target : targets) {
      SCOPED_TRACE(extension + " to '" + target + "'");
      std::unique_ptr<FcExportDevice> device = make();
      device->BeginPaint({nullptr, target}, 0);
      RedLine(*device);
      device->EndPaint();
      EXPECT_FALSE(device->Succeeded());
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(ExportFailureTest, ReplacesOnlyOnSuccess) {
  ScratchFolder folder;
  const std::string target = folder.File("plan.out");
  {
    std::ofstream old(target);
    old << "old";
  }
  FcExportFile failed;
  ASSERT_TRUE(failed.Open(target));
  failed.Write("new");
  failed.MarkFailed();
  EXPECT_FALSE(failed.Commit());
  EXPECT_EQ(ReadWholeFile(target), "old");

  {
    // Dropped without Commit, as when an export is cut short.
    FcExportFile abandoned;
    ASSERT_TRUE(abandoned.Open(target));
    abandoned.Write("new");
  }
  EXPECT_EQ(ReadWholeFile(target), "old");

  FcExportFile written;
  ASSERT_TRUE(written.Open(target));
  written.Write("new");
  EXPECT_TRUE(written.Commit());
  EXPECT_EQ(ReadWholeFile(target), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

}  // namespace
