#include "export/pdf_objects.h"

#include <algorithm>

#include "export/pdf_document.h"
#include "export/pdf_stream.h"

namespace {

// The number filled with '0' after any sign up to the width.
std::string ZeroFilled(std::int64_t value, std::size_t width) {
  std::string text = IntegerText(value);
  if (text.size() < width) text.insert(value < 0 ? 1 : 0, width - text.size(), '0');
  return text;
}

}  // namespace

void CPDFInteger::Write(CPDFOutput& out, CXRefTable&) {
  const std::size_t length = IntegerText(value_).size();
  std::size_t width = minWidth_ > 0 ? static_cast<std::size_t>(minWidth_) : 0;
  if (width > length && width - length >= 128) width = 127;
  out.Write(ZeroFilled(value_, width));
}

void CPDFName::Write(CPDFOutput& out, CXRefTable&) {
  out.Write("/");
  out.Write(text_);
}

void CPDFString::Write(CPDFOutput& out, CXRefTable&) {
  std::string text = "(";
  for (char c : text_) {
    if (c == '\\' || c == '(' || c == ')') text += '\\';
    text += c;
  }
  text += ')';
  out.Write(text);
}

void CPDFArray::Write(CPDFOutput& out, CXRefTable& table) {
  out.Write("[");
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (i > 0) out.Write(" ");
    if (items_[i]) {
      items_[i]->Write(out, table);
    } else {
      out.Write("null");
    }
  }
  out.Write("]");
}

void CPDFPair::Write(CPDFOutput& out, CXRefTable& table) {
  if (!key_ || !value_) return;
  key_->Write(out, table);
  out.Write(" ");
  value_->Write(out, table);
}

void CPDFDictionary::Write(CPDFOutput& out, CXRefTable& table) {
  out.Write("<<");
  for (std::size_t i = 0; i < pairs_.size(); ++i) {
    if (i > 0) out.Write("\n");
    pairs_[i]->Write(out, table);
  }
  out.Write(">>");
}

void CPDFDictionary::Add(std::string key, std::unique_ptr<CPDFBase> value) {
  pairs_.push_back(std::make_unique<CPDFPair>(std::make_unique<CPDFName>(std::move(key)), std::move(value)));
}

void CPDFDictionary::AddName(std::string key, std::string name) {
  Add(std::move(key), std::make_unique<CPDFName>(std::move(name)));
}

void CPDFDictionary::Set(std::unique_ptr<CPDFPair> pair) {
  if (!pair || !pair->GetKey()) return;
  const std::string& key = pair->GetKey()->GetText();
  const auto same = std::find_if(pairs_.begin(), pairs_.end(), [&key](const std::unique_ptr<CPDFPair>& p) {
    return p->GetKey() && p->GetKey()->GetText() == key;
  });
  if (same != pairs_.end()) {
    *same = std::move(pair);
  } else {
    pairs_.push_back(std::move(pair));
  }
}

void CPDFDictionary::SetValue(std::string key, std::unique_ptr<CPDFBase> value) {
  Set(std::make_unique<CPDFPair>(std::make_unique<CPDFName>(std::move(key)), std::move(value)));
}

void CPDFDictionary::SetInteger(std::string key, std::int32_t value) {
  SetValue(std::move(key), std::make_unique<CPDFInteger>(value));
}

void CPDFDictionary::SetString(std::string key, std::string text) {
  SetValue(std::move(key), std::make_unique<CPDFString>(std::move(text)));
}

void CPDFDictionary::Remove(const std::string& key) {
  std::erase_if(pairs_, [&key](const std::unique_ptr<CPDFPair>& p) {
    return p->GetKey() && p->GetKey()->GetText() == key;
  });
}

void CPDFObjectRef::Write(CPDFOutput& out, CXRefTable&) {
  out.Write(target_ ? Text(*target_) : std::string("null"));
}

std::string CPDFObjectRef::Text(const CPDFObject& object) {
  std::string text;
  FormatString(text, "%d %d R", object.GetNumber(), object.GetGeneration());
  return text;
}

CPDFObject::CPDFObject(CPDF& document, std::unique_ptr<CPDFBase> content)
    : content_(std::move(content)), number_(document.TakeObjectNumber()) {}

void CPDFObject::Write(CPDFOutput& out, CXRefTable& table) {
  table.Add({number_, out.Position(), generation_, true});
  out.WriteInteger(number_);
  out.Write(" ");
  out.WriteInteger(generation_);
  out.Write(" obj\n");
  if (content_) {
    content_->Write(out, table);
  } else {
    out.Write("null");
  }
  out.Write("\nendobj\n");
  if (content_ && content_->IsStream()) static_cast<CPDFStream&>(*content_).GetLengthObject().Write(out, table);
}

CAttriObject::CAttriObject(CPDF& document) : CPDFObject(document) {
  auto attributes = std::make_unique<CPDFDictionary>();
  attributes_ = attributes.get();
  SetContent(std::move(attributes));
}

void CXRefTable::Write(CPDFOutput& out) {
  std::sort(entries_.begin(), entries_.end(),
            [](const CXRefEntry& a, const CXRefEntry& b) { return a.number < b.number; });
  out.Write("xref\n0 ");
  out.WriteInteger(static_cast<std::int64_t>(entries_.size()));
  out.Write("\n");
  for (const CXRefEntry& entry : entries_) {
    if (entry.offset > 9999999999) out.Fail();
    out.Write(ZeroFilled(entry.offset, 10) + " " + ZeroFilled(entry.generation, 5) +
              (entry.in_use ? " n \n" : " f \n"));
  }
}
