#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "export/pdf_objects.h"
#include "export/pdf_stream.h"

class CPDFPages;

// A page: "Type" /Page, "Parent", "Resources" and, when written,
// "Contents" with references to its content objects.
class CPDFPage : public CAttriObject {
 public:
  CPDFPage(CPDFPages& parent, CPDF& document);
  // Writes the page, then its resource objects, then its content objects.
  void Write(CPDFOutput& out, CXRefTable& table) override;
  // A new compressed content stream as a new object of the page.
  CPDFStream* AddContentStream(CPDF& document);
  // A new content stream of a complete zlib stream compressed elsewhere.
  CPDFStream* AddContentStream(CPDF& document, std::vector<std::uint8_t>&& compressed);
  CPDFDictionary& GetResources() { return *resources_; }

 private:
  // The object takes its number before the stream's length object does.
  CPDFStream* AddContent(std::unique_ptr<CPDFObject> object, std::unique_ptr<CPDFStream> stream);

  std::vector<std::unique_ptr<CPDFObject>> contents_;
  std::vector<std::unique_ptr<CPDFObject>> resourceObjects_;
  CPDFDictionary* resources_;
};

// A node of the page tree; "Kids" and "Count" are set when it is written.
class CPDFPages : public CAttriObject {
 public:
  CPDFPages(CPDFPages* parent, CPDF& document);
  // Writes the node, then its child nodes, then its pages.
  void Write(CPDFOutput& out, CXRefTable& table) override;
  CPDFPage* AddPage(CPDF& document);
  CPDFPages* AddNode(CPDF& document);
  // "MediaBox" [0 0 width height].
  void SetMediaBox(std::int32_t width, std::int32_t height);
  // Its pages and those below its child nodes.
  int CountPages() const;

 private:
  std::vector<std::unique_ptr<CPDFPages>> nodes_;
  std::vector<std::unique_ptr<CPDFPage>> pages_;
};

// The outline root (no parent, "Type" /Outlines) or an outline item.
class CPDFOutlines : public CAttriObject {
 public:
  CPDFOutlines(CPDFOutlines* parent, CPDF& document);
  // Sets "Title" (items only), "Prev", "Next", "First", "Last" and "Count",
  // then writes the node and its children in order.
  void Write(CPDFOutput& out, CXRefTable& table) override;
  // A new last child.
  CPDFOutlines* AddItem(CPDF& document);
  void SetTitle(std::string title) { title_ = std::move(title); }
  // For each child, 1 plus the child's own count.
  int CountDescendants() const;

 private:
  CPDFOutlines* parent_;
  CPDFOutlines* previous_ = nullptr;
  CPDFOutlines* next_ = nullptr;
  std::vector<std::unique_ptr<CPDFOutlines>> children_;
  std::string title_;
};

// The catalog, with the outline root and the page-tree root.
class CPDFCatalog : public CAttriObject {
 public:
  explicit CPDFCatalog(CPDF& document);
  // Writes the catalog, then the outline tree, then the page tree.
  void Write(CPDFOutput& out, CXRefTable& table) override;
  CPDFPages& GetPages() { return *pages_; }
  CPDFOutlines& GetOutlines() { return *outlines_; }

 private:
  std::unique_ptr<CPDFOutlines> outlines_;
  std::unique_ptr<CPDFPages> pages_;
};

// A PDF 1.2 document. Objects are numbered from 1 in the order they are
// made: the catalog, the outline root and the page-tree root (1 to 3), the
// procedure set (4) and the information dictionary (5).
class CPDF {
 public:
  CPDF();
  CPDF(const CPDF&) = delete;
  CPDF& operator=(const CPDF&) = delete;

  std::int32_t TakeObjectNumber() { return nextNumber_++; }
  CPDFCatalog& GetCatalog() { return *catalog_; }

  // Writes the whole file at the stream's position and flushes it; false
  // when any write, the compression of a stream or the flush failed.
  bool Write(std::FILE* file);
  // Writes the file through a temporary file in the target's folder that
  // replaces the target only when everything, the close included, worked;
  // on failure the target is left as it was.
  bool WriteFile(const std::string& path);

 private:
  std::int32_t nextNumber_ = 1;
  std::unique_ptr<CPDFCatalog> catalog_;
  CPDFDictionary trailer_;
  std::unique_ptr<CPDFObject> info_;
  CXRefTable xref_;
  CPDFDictionary namedObjects_;
  std::string header_ = "%PDF-1.2";
};
