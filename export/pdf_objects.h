#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "export/pdf_output.h"

class CPDF;
class CXRefTable;

// A PDF value or object that writes its own syntax. Objects own what they
// hold; a reference does not own its target.
class CPDFBase {
 public:
  virtual ~CPDFBase() = default;
  // Writes the syntax at the output's position; indirect objects enter
  // their position in the table.
  virtual void Write(CPDFOutput& out, CXRefTable& table) = 0;
  virtual bool IsStream() const { return false; }
};

// Decimal, left-filled with '0' (after any sign) up to the minimum width;
// a width that exceeds the number's length by 128 or more gives 127
// characters in all.
class CPDFInteger : public CPDFBase {
 public:
  explicit CPDFInteger(std::int32_t value, std::int32_t min_width = 0) : value_(value), minWidth_(min_width) {}
  void Write(CPDFOutput& out, CXRefTable& table) override;
  void SetValue(std::int32_t value) { value_ = value; }
  std::int32_t GetValue() const { return value_; }

 private:
  std::int32_t value_;
  std::int32_t minWidth_;
};

// "/text", without escaping.
class CPDFName : public CPDFBase {
 public:
  explicit CPDFName(std::string text) : text_(std::move(text)) {}
  void Write(CPDFOutput& out, CXRefTable& table) override;
  const std::string& GetText() const { return text_; }

 private:
  std::string text_;
};

// "(text)" with a backslash before every backslash and parenthesis.
class CPDFString : public CPDFBase {
 public:
  explicit CPDFString(std::string text) : text_(std::move(text)) {}
  void Write(CPDFOutput& out, CXRefTable& table) override;

 private:
  std::string text_;
};

// "[a b c]"; a null item is written "null".
class CPDFArray : public CPDFBase {
 public:
  void Write(CPDFOutput& out, CXRefTable& table) override;
  void Add(std::unique_ptr<CPDFBase> item) { items_.push_back(std::move(item)); }
  void AddInteger(std::int32_t value) { Add(std::make_unique<CPDFInteger>(value)); }
  void AddName(std::string text) { Add(std::make_unique<CPDFName>(std::move(text))); }

 private:
  std::vector<std::unique_ptr<CPDFBase>> items_;
};

// "key value"; nothing at all when either is missing.
class CPDFPair : public CPDFBase {
 public:
  CPDFPair(std::unique_ptr<CPDFName> key, std::unique_ptr<CPDFBase> value)
      : key_(std::move(key)), value_(std::move(value)) {}
  void Write(CPDFOutput& out, CXRefTable& table) override;
  const CPDFName* GetKey() const { return key_.get(); }
  CPDFBase* GetValue() const { return value_.get(); }

 private:
  std::unique_ptr<CPDFName> key_;
  std::unique_ptr<CPDFBase> value_;
};

// "<<" the pairs separated by line feeds ">>". Keys compare with case.
class CPDFDictionary : public CPDFBase {
 public:
  void Write(CPDFOutput& out, CXRefTable& table) override;
  void Add(std::string key, std::unique_ptr<CPDFBase> value);
  void AddName(std::string key, std::string name);
  // Replaces the first pair with the same key in its place, else appends.
  void Set(std::unique_ptr<CPDFPair> pair);
  void SetValue(std::string key, std::unique_ptr<CPDFBase> value);
  void SetInteger(std::string key, std::int32_t value);
  void SetString(std::string key, std::string text);
  void Remove(const std::string& key);
  const std::vector<std::unique_ptr<CPDFPair>>& GetPairs() const { return pairs_; }

 private:
  std::vector<std::unique_ptr<CPDFPair>> pairs_;
};

class CPDFObject;

// "number generation R", or "null" without a target.
class CPDFObjectRef : public CPDFBase {
 public:
  explicit CPDFObjectRef(const CPDFObject* target) : target_(target) {}
  void Write(CPDFOutput& out, CXRefTable& table) override;
  static std::string Text(const CPDFObject& object);

 private:
  const CPDFObject* target_;
};

// A numbered indirect object: "n g obj\n" content "\nendobj\n". It takes
// the document's next number when it is made.
class CPDFObject : public CPDFBase {
 public:
  explicit CPDFObject(CPDF& document, std::unique_ptr<CPDFBase> content = nullptr);
  void Write(CPDFOutput& out, CXRefTable& table) override;
  CPDFBase* GetContent() const { return content_.get(); }
  void SetContent(std::unique_ptr<CPDFBase> content) { content_ = std::move(content); }
  std::int32_t GetNumber() const { return number_; }
  std::int32_t GetGeneration() const { return generation_; }

 private:
  std::unique_ptr<CPDFBase> content_;
  std::int32_t number_;
  std::int32_t generation_ = 0;
};

// An indirect object whose content is a dictionary of attributes.
class CAttriObject : public CPDFObject {
 public:
  explicit CAttriObject(CPDF& document);
  CPDFDictionary& GetAttributes() { return *attributes_; }

 private:
  CPDFDictionary* attributes_;
};

struct CXRefEntry {
  std::int32_t number = 0;
  std::int64_t offset = 0;
  std::int32_t generation = 0;
  bool in_use = false;
};

// The cross-reference table, starting with the free entry of object 0.
class CXRefTable {
 public:
  CXRefTable() { entries_.push_back({0, 0, 65535, false}); }
  void Add(const CXRefEntry& entry) { entries_.push_back(entry); }
  // "xref\n0 count\n" and the entries sorted by number, 20 bytes each. An
  // offset of more than ten digits fails the output.
  void Write(CPDFOutput& out);

 private:
  std::vector<CXRefEntry> entries_;
};
