#include "export/pdf_document.h"

#include <cstdio>
#include <filesystem>

#include "platform/temp_files.h"

namespace {

template <typename Object>
std::unique_ptr<CPDFArray> ReferencesTo(const std::vector<std::unique_ptr<Object>>& objects,
                                        std::unique_ptr<CPDFArray> array = std::make_unique<CPDFArray>()) {
  for (const std::unique_ptr<Object>& object : objects) array->Add(std::make_unique<CPDFObjectRef>(object.get()));
  return array;
}

template <typename Object>
void WriteAll(const std::vector<std::unique_ptr<Object>>& objects, CPDFOutput& out, CXRefTable& table) {
  for (const std::unique_ptr<Object>& object : objects) object->Write(out, table);
}

}  // namespace

CPDFPage::CPDFPage(CPDFPages& parent, CPDF& document) : CAttriObject(document) {
  GetAttributes().AddName("Type", "Page");
  GetAttributes().Add("Parent", std::make_unique<CPDFObjectRef>(&parent));
  auto resources = std::make_unique<CPDFDictionary>();
  resources_ = resources.get();
  GetAttributes().Add("Resources", std::move(resources));
}

void CPDFPage::Write(CPDFOutput& out, CXRefTable& table) {
  GetAttributes().SetValue("Contents", ReferencesTo(contents_));
  CPDFObject::Write(out, table);
  WriteAll(resourceObjects_, out, table);
  WriteAll(contents_, out, table);
}

CPDFStream* CPDFPage::AddContentStream(CPDF& document) {
  auto object = std::make_unique<CPDFObject>(document);
  return AddContent(std::move(object), std::make_unique<CPDFZLibStream>(document));
}

CPDFStream* CPDFPage::AddContentStream(CPDF& document, std::vector<std::uint8_t>&& compressed) {
  auto object = std::make_unique<CPDFObject>(document);
  return AddContent(std::move(object), std::make_unique<CPDFZLibStream>(document, std::move(compressed)));
}

CPDFStream* CPDFPage::AddContent(std::unique_ptr<CPDFObject> object, std::unique_ptr<CPDFStream> stream) {
  CPDFStream* result = stream.get();
  object->SetContent(std::move(stream));
  contents_.push_back(std::move(object));
  return result;
}

CPDFPages::CPDFPages(CPDFPages* parent, CPDF& document) : CAttriObject(document) {
  GetAttributes().AddName("Type", "Pages");
  if (parent) GetAttributes().Add("Parent", std::make_unique<CPDFObjectRef>(parent));
}

void CPDFPages::Write(CPDFOutput& out, CXRefTable& table) {
  GetAttributes().SetValue("Kids", ReferencesTo(pages_, ReferencesTo(nodes_)));
  GetAttributes().SetInteger("Count", CountPages());
  CPDFObject::Write(out, table);
  WriteAll(nodes_, out, table);
  WriteAll(pages_, out, table);
}

CPDFPage* CPDFPages::AddPage(CPDF& document) {
  pages_.push_back(std::make_unique<CPDFPage>(*this, document));
  return pages_.back().get();
}

CPDFPages* CPDFPages::AddNode(CPDF& document) {
  nodes_.push_back(std::make_unique<CPDFPages>(this, document));
  return nodes_.back().get();
}

void CPDFPages::SetMediaBox(std::int32_t width, std::int32_t height) {
  auto box = std::make_unique<CPDFArray>();
  box->AddInteger(0);
  box->AddInteger(0);
  box->AddInteger(width);
  box->AddInteger(height);
  GetAttributes().SetValue("MediaBox", std::move(box));
}

int CPDFPages::CountPages() const {
  int count = static_cast<int>(pages_.size());
  for (const std::unique_ptr<CPDFPages>& node : nodes_) count += node->CountPages();
  return count;
}

CPDFOutlines::CPDFOutlines(CPDFOutlines* parent, CPDF& document) : CAttriObject(document), parent_(parent) {
  if (parent) {
    GetAttributes().Add("Parent", std::make_unique<CPDFObjectRef>(parent));
  } else {
    GetAttributes().AddName("Type", "Outlines");
  }
}

void CPDFOutlines::Write(CPDFOutput& out, CXRefTable& table) {
  CPDFDictionary& attributes = GetAttributes();
  if (parent_) {
    attributes.SetString("Title", title_);
  } else {
    attributes.Remove("Title");
  }
  if (previous_) attributes.SetValue("Prev", std::make_unique<CPDFObjectRef>(previous_));
  if (next_) attributes.SetValue("Next", std::make_unique<CPDFObjectRef>(next_));
  if (!children_.empty()) {
    attributes.SetValue("First", std::make_unique<CPDFObjectRef>(children_.front().get()));
    attributes.SetValue("Last", std::make_unique<CPDFObjectRef>(children_.back().get()));
  }
  attributes.SetInteger("Count", CountDescendants());
  CPDFObject::Write(out, table);
  WriteAll(children_, out, table);
}

CPDFOutlines* CPDFOutlines::AddItem(CPDF& document) {
  auto item = std::make_unique<CPDFOutlines>(this, document);
  if (!children_.empty()) {
    item->previous_ = children_.back().get();
    children_.back()->next_ = item.get();
  }
  children_.push_back(std::move(item));
  return children_.back().get();
}

int CPDFOutlines::CountDescendants() const {
  int count = 0;
  for (const std::unique_ptr<CPDFOutlines>& child : children_) count += 1 + child->CountDescendants();
  return count;
}

CPDFCatalog::CPDFCatalog(CPDF& document)
    : CAttriObject(document),
      outlines_(std::make_unique<CPDFOutlines>(nullptr, document)),
      pages_(std::make_unique<CPDFPages>(nullptr, document)) {
  GetAttributes().AddName("Type", "Catalog");
  GetAttributes().Add("Pages", std::make_unique<CPDFObjectRef>(pages_.get()));
  GetAttributes().Add("Outlines", std::make_unique<CPDFObjectRef>(outlines_.get()));
}

void CPDFCatalog::Write(CPDFOutput& out, CXRefTable& table) {
  CPDFObject::Write(out, table);
  outlines_->Write(out, table);
  pages_->Write(out, table);
}

CPDF::CPDF() {
  catalog_ = std::make_unique<CPDFCatalog>(*this);
  auto procedures = std::make_unique<CPDFArray>();
  procedures->AddName("PDF");
  procedures->AddName("Text");
  namedObjects_.Add("ProcSet", std::make_unique<CPDFObject>(*this, std::move(procedures)));
  auto info = std::make_unique<CPDFDictionary>();
  info->SetString("Producer", "KOVRA Export PDF");
  info_ = std::make_unique<CPDFObject>(*this, std::move(info));
}

bool CPDF::Write(std::FILE* file) {
  CPDFOutput out(file);
  // A second write must not repeat the entries of the first.
  xref_ = CXRefTable();
  out.Write(header_);
  out.Write("\n");
  catalog_->Write(out, xref_);
  for (const std::unique_ptr<CPDFPair>& pair : namedObjects_.GetPairs()) pair->GetValue()->Write(out, xref_);
  info_->Write(out, xref_);
  const std::int64_t xref_position = out.Position();
  xref_.Write(out);
  out.Write("trailer\n");
  trailer_.SetInteger("Size", nextNumber_);
  trailer_.SetValue("Root", std::make_unique<CPDFObjectRef>(catalog_.get()));
  trailer_.SetValue("Info", std::make_unique<CPDFObjectRef>(info_.get()));
  trailer_.Write(out, xref_);
  out.Write("\nstartxref\n");
  out.WriteInteger(xref_position);
  out.Write("\n%%EOF\n");
  return std::fflush(file) == 0 && !std::ferror(file) && !out.Failed();
}

bool CPDF::WriteFile(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const std::string temp = CreateTempFile("kovra_pdf", folder.empty() ? "." : folder);
  if (temp.empty()) return false;
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  bool written = file && Write(file);
  if (file && std::fclose(file) != 0) written = false;
  std::error_code error;
  // The temporary file is private to its owner; the export is not.
  namespace fs = std::filesystem;
  if (written) fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                         fs::perms::others_read, error);
  if (written && !error) fs::rename(temp, path, error);
  if (!written || error) {
    RemoveTempFile(temp);
    return false;
  }
  return true;
}
