#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "export/pdf_document.h"
#include "export/pdf_output.h"
#include "export/pdf_stream.h"

namespace {

// What the callback writes, read back from a temporary C stream.
std::string Captured(const std::function<void(std::FILE*)>& write) {
  std::FILE* file = std::tmpfile();
  write(file);
  std::fflush(file);
  std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  const std::size_t read = std::fread(text.data(), 1, text.size(), file);
  std::fclose(file);
  text.resize(read);
  return text;
}

std::string Written(CPDFBase& object) {
  return Captured([&object](std::FILE* file) {
    CPDFOutput out(file);
    CXRefTable table;
    object.Write(out, table);
  });
}

std::unique_ptr<CPDFArray> MixedArray() {
  auto array = std::make_unique<CPDFArray>();
  array->AddInteger(1);
  array->Add(nullptr);
  array->AddName("N");
  return array;
}

TEST(PdfObjects, DirectValuesWriteTheirSyntax) {
  CPDF document;
  CPDFObject target(document);  // number 6
  struct Case {
    const char* name;
    std::function<std::unique_ptr<CPDFBase>()> make;
    std::string expected;
  };
  const Case cases[] = {
      {"integer", [] { return std::make_unique<CPDFInteger>(-42); }, "-42"},
      {"zero-filled", [] { return std::make_unique<CPDFInteger>(-7, 4); }, "-007"},
      {"overlong width", [] { return std::make_unique<CPDFInteger>(5, 200); }, std::string(126, '0') + "5"},
      {"name", [] { return std::make_unique<CPDFName>("Type"); }, "/Type"},
      {"string", [] { return std::make_unique<CPDFString>("a(b)c\\d"); }, "(a\\(b\\)c\\\\d)"},
      {"array", [] { return MixedArray(); }, "[1 null /N]"},
      {"empty array", [] { return std::make_unique<CPDFArray>(); }, "[]"},
      {"reference", [&target] { return std::make_unique<CPDFObjectRef>(&target); }, "6 0 R"},
      {"null reference", [] { return std::make_unique<CPDFObjectRef>(nullptr); }, "null"},
      {"pair", [] { return std::make_unique<CPDFPair>(std::make_unique<CPDFName>("K"), MixedArray()); },
       "/K [1 null /N]"},
      {"pair without value", [] { return std::make_unique<CPDFPair>(std::make_unique<CPDFName>("K"), nullptr); },
       ""},
      {"indirect object without content", [&document] { return std::make_unique<CPDFObject>(document); },
       "7 0 obj\nnull\nendobj\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<CPDFBase> object = c.make();
    EXPECT_EQ(Written(*object), c.expected);
  }
}

TEST(PdfObjects, DictionariesSeparatePairsAndReplaceInPlace) {
  CPDFDictionary dictionary;
  EXPECT_EQ(Written(dictionary), "<<>>");
  dictionary.SetInteger("A", 1);
  EXPECT_EQ(Written(dictionary), "<</A 1>>");
  dictionary.AddName("B", "Name");
  dictionary.SetString("C", "text");
  EXPECT_EQ(Written(dictionary), "<</A 1\n/B /Name\n/C (text)>>");
  dictionary.SetInteger("A", 2);
  dictionary.SetInteger("a", 3);
  EXPECT_EQ(Written(dictionary), "<</A 2\n/B /Name\n/C (text)\n/a 3>>");
  dictionary.Remove("B");
  dictionary.Remove("missing");
  EXPECT_EQ(Written(dictionary), "<</A 2\n/C (text)\n/a 3>>");
}

TEST(PdfObjects, CrossReferenceEntriesAreTwentyBytes) {
  const std::string text = Captured([](std::FILE* file) {
    CPDFOutput out(file);
    CXRefTable table;
    table.Add({2, 1234567, 0, true});
    table.Add({1, 9, 0, true});
    table.Write(out);
  });
  EXPECT_EQ(text, "xref\n0 3\n0000000000 65535 f \n0000000009 00000 n \n0001234567 00000 n \n");
}

// A page content of hundreds of megabytes must not be copied once per
// megabyte as it grows.
TEST(PdfStream, BufferGrowsGeometrically) {
  CPDF document;
  CPDFStream stream(document);
  const std::string mebibyte(1048576, 'y');
  int growths = 0;
  std::size_t capacity = stream.GetCapacity();
  for (int i = 0; i < 64; ++i) {
    ASSERT_TRUE(stream.Append(mebibyte.data(), mebibyte.size()));
    if (stream.GetCapacity() != capacity) ++growths;
    capacity = stream.GetCapacity();
  }
  EXPECT_LE(growths, 12);
  stream.AppendFormat("%d J %s", 1, "end");
  EXPECT_EQ(stream.GetData().size(), 64u * 1048576u + 7u);
  const std::string tail(stream.GetData().end() - 9, stream.GetData().end());
  EXPECT_EQ(tail, "yy1 J end");
}

// The content is compressed as it arrives; the stream written must be
// byte for byte what compressing the whole content at once gives, however
// the pieces fall.
TEST(PdfStream, CompressedAsAppendedLikeTheWholeAtOnce) {
  std::string content;
  for (int i = 0; content.size() < 3'000'000; ++i) {
    content += std::to_string(i * 7919 % 100003) + " " + std::to_string(i % 977) + (i % 5 == 0 ? " m " : " l ");
  }
  CPDF document;
  CPDFZLibStream stream(document);
  std::size_t at = 0;
  for (std::size_t piece = 1; at < content.size(); piece = piece * 3 % 70001 + 1) {
    const std::size_t n = std::min(piece, content.size() - at);
    ASSERT_TRUE(stream.Append(content.data() + at, n));
    at += n;
  }
  // Only the compressed bytes are held.
  EXPECT_LT(stream.GetCompressed().size(), content.size() / 2);
  const std::string written = Captured([&stream](std::FILE* f) {
    CPDFOutput out(f);
    stream.WriteData(out);
    EXPECT_FALSE(out.Failed());
  });
  uLongf size = compressBound(static_cast<uLong>(content.size()));
  std::string whole(size, '\0');
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(whole.data()), &size, reinterpret_cast<const Bytef*>(content.data()),
                      content.size(), Z_DEFAULT_COMPRESSION),
            Z_OK);
  whole.resize(size);
  EXPECT_EQ(written, whole);
}

// The offset the cross-reference table gives each object must be where
// that object starts.
void ExpectOffsetsMatch(const std::string& file, int objects) {
  const std::size_t xref = file.find("\nxref\n") + 1;
  ASSERT_NE(xref, std::string::npos);
  const std::size_t startxref = file.find("startxref\n");
  EXPECT_EQ(std::stoul(file.substr(startxref + 10)), xref);
  EXPECT_EQ(file.substr(xref, 5 + 3 + std::to_string(objects).size()), "xref\n0 " + std::to_string(objects) + "\n");
  const std::size_t entries = file.find('\n', xref + 5) + 1;
  EXPECT_EQ(file.substr(entries, 20), "0000000000 65535 f \n");
  for (int n = 1; n < objects; ++n) {
    const std::string entry = file.substr(entries + 20 * n, 20);
    EXPECT_EQ(entry.substr(10), " 00000 n \n");
    const std::string header = std::to_string(n) + " 0 obj\n";
    EXPECT_EQ(file.substr(std::stoul(entry.substr(0, 10)), header.size()), header);
  }
}

TEST(PdfDocument, FreshDocumentNumbersFiveObjects) {
  CPDF document;
  const std::string file = Captured([&document](std::FILE* f) { EXPECT_TRUE(document.Write(f)); });
  const std::string body =
      "%PDF-1.2\n"
      "1 0 obj\n<</Type /Catalog\n/Pages 3 0 R\n/Outlines 2 0 R>>\nendobj\n"
      "2 0 obj\n<</Type /Outlines\n/Count 0>>\nendobj\n"
      "3 0 obj\n<</Type /Pages\n/Kids []\n/Count 0>>\nendobj\n"
      "4 0 obj\n[/PDF /Text]\nendobj\n"
      "5 0 obj\n<</Producer (KOVRA Export PDF)>>\nendobj\n";
  EXPECT_EQ(file.substr(0, body.size()), body);
  const std::size_t trailer = file.find("trailer\n");
  EXPECT_EQ(file.substr(trailer), "trailer\n<</Size 6\n/Root 1 0 R\n/Info 5 0 R>>\nstartxref\n" +
                                      std::to_string(body.size()) + "\n%%EOF\n");
  ExpectOffsetsMatch(file, 6);
  // Writing again gives the same file.
  EXPECT_EQ(Captured([&document](std::FILE* f) { EXPECT_TRUE(document.Write(f)); }), file);
}

TEST(PdfDocument, OnePageWithACompressedStream) {
  CPDF document;
  CPDFPages& root = document.GetCatalog().GetPages();
  root.SetMediaBox(130, 80);
  CPDFPage* page = root.AddPage(document);
  CPDFStream* stream = page->AddContentStream(document);
  const std::string content = "0 w 1 J 1 j 1 0 0 RG 1 0 0 rg 15 15 m 25 20 l S";
  stream->Append(content.data(), content.size());
  CPDFOutlines* item = document.GetCatalog().GetOutlines().AddItem(document);
  item->SetTitle("First");
  document.GetCatalog().GetOutlines().AddItem(document)->SetTitle("Second");

  const std::string file = Captured([&document](std::FILE* f) { EXPECT_TRUE(document.Write(f)); });
  EXPECT_NE(file.find("2 0 obj\n<</Type /Outlines\n/First 9 0 R\n/Last 10 0 R\n/Count 2>>\nendobj\n"
                      "9 0 obj\n<</Parent 2 0 R\n/Title (First)\n/Next 10 0 R\n/Count 0>>\nendobj\n"
                      "10 0 obj\n<</Parent 2 0 R\n/Title (Second)\n/Prev 9 0 R\n/Count 0>>\nendobj\n"
                      "3 0 obj\n<</Type /Pages\n/MediaBox [0 0 130 80]\n/Kids [6 0 R]\n/Count 1>>\nendobj\n"
                      "6 0 obj\n<</Type /Page\n/Parent 3 0 R\n/Resources <<>>\n/Contents [7 0 R]>>\nendobj\n"
                      "7 0 obj\n<</Filter [/FlateDecode]\n/Length 8 0 R>>\nstream\n"),
            std::string::npos);
  const std::size_t data = file.find("stream\n") + 7;
  const std::size_t end = file.find("\nendstream\nendobj\n8 0 obj\n");
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(file.substr(end + 26, file.find('\n', end + 26) - end - 26), std::to_string(end - data));
  std::string inflated(content.size() + 16, '\0');
  uLongf size = inflated.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(inflated.data()), &size,
                       reinterpret_cast<const Bytef*>(file.data() + data), end - data),
            Z_OK);
  EXPECT_EQ(inflated.substr(0, size), content);
  EXPECT_NE(file.find("trailer\n<</Size 11\n"), std::string::npos);
  ExpectOffsetsMatch(file, 11);

  const std::string path = (std::filesystem::temp_directory_path() / "kovra_pdf_test.pdf").string();
  ASSERT_TRUE(document.WriteFile(path));
  std::stringstream disk;
  disk << std::ifstream(path, std::ios::binary).rdbuf();
  EXPECT_EQ(disk.str(), file);
  if (std::filesystem::exists("/usr/bin/qpdf")) {
    EXPECT_EQ(std::system(("/usr/bin/qpdf --check " + path + " > /dev/null").c_str()), 0);
  }
  std::filesystem::remove(path);
}

TEST(PdfDocument, FailedWritesAreReported) {
  CPDF document;
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_NE(full, nullptr);
  EXPECT_FALSE(document.Write(full));
  std::fclose(full);
  EXPECT_FALSE(document.WriteFile("/nonexistent/folder/out.pdf"));
}

}  // namespace
