#include "files/attribute_export.h"

#include <cctype>
#include <cstdio>

#include "core/value_parse.h"
#include "database/layer.h"
#include "database/object.h"
#include "entities/attribute.h"
#include "entities/insert.h"
#include "platform/frame_link.h"

namespace {

struct BlockColumn {
  const char* name;
  int kind;
};
constexpr BlockColumn kBlockColumns[] = {
    {"BL:NAME", 1}, {"BL:LEVEL", 2}, {"BL:HANDLE", 3}, {"BL:LAYER", 4}, {"BL:X", 5},
    {"BL:Y", 6},    {"BL:ORIENT", 7}, {"BL:XSCALE", 8}, {"BL:YSCALE", 9},
};

bool IsTextKind(int kind) { return kind == 1 || kind == 3 || kind == 4; }

// Three characters that read whole as a base-10 number, leading blanks
// allowed.
bool ParseThreeDigits(std::string_view text, int& value) {
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  if (start == text.size()) return false;
  value = 0;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

std::string TrimmedBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

bool FcAttiField::Parse(std::string_view line) {
  const std::size_t blank = line.find(' ');
  if (blank == 0 || blank == std::string_view::npos) return false;
  name = std::string(line.substr(0, blank));
  std::size_t start = line.find_first_not_of(' ', blank);
  if (start == std::string_view::npos) return false;
  const std::string_view format = line.substr(start, line.find(' ', start) - start);
  if (format.size() != 7) return false;
  const char type = static_cast<char>(std::toupper(static_cast<unsigned char>(format[0])));
  if (type != 'C' && type != 'N') return false;
  if (!ParseThreeDigits(format.substr(1, 3), width) || !ParseThreeDigits(format.substr(4, 3), decimals)) return false;
  numeric = type == 'N';
  kind = 0;
  if (name.size() <= 3 || !EqualsNoCase(std::string_view(name).substr(0, 3), "BL:")) return true;
  int found = -1;
  for (const BlockColumn& column : kBlockColumns) {
    if (EqualsNoCase(name, column.name)) found = column.kind;
  }
  if (found > 0) kind = found;
  // Unknown "BL:" names are attribute tags that must be numeric.
  return IsTextKind(found) ? !numeric : numeric;
}

int FcAttiField::SetText(std::string_view text) {
  const bool cut = text.size() > static_cast<std::size_t>(width);
  value = std::string(cut ? text.substr(0, static_cast<std::size_t>(width)) : text);
  return cut ? 1 : 0;
}

int FcAttiField::SetInteger(int number) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%*d", width, number);
  return SetText(TrimmedBlanks(buffer));
}

int FcAttiField::SetReal(double number) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, number);
  std::string text = TrimmedBlanks(buffer);
  if (text.empty()) text = "0";
  const std::size_t point = text.find('.');
  const bool cut = text.size() > static_cast<std::size_t>(width) ||
                   (point != std::string::npos && point >= static_cast<std::size_t>(width));
  value = cut ? text.substr(0, static_cast<std::size_t>(width)) : text;
  return cut ? 1 : 0;
}

int FcAttiField::SetRealText(std::string_view text) {
  double number = 0.0;
  if (!ParseReal(text, number)) {
    value = "0";
    return 0;
  }
  return SetReal(number);
}

void FcAttiField::Write(std::string& out, bool fixedWidth) const {
  if (!fixedWidth) {
    out += numeric ? value : "'" + value + "'";
    return;
  }
  const std::size_t columns = static_cast<std::size_t>(width);
  const std::string shown = value.substr(0, columns);
  const std::string padding(columns - shown.size(), ' ');
  out += numeric ? padding + shown : shown + padding;
}

FcAttiExport::~FcAttiExport() {
  if (outputOpen_) output_.Close();
}

bool FcAttiExport::LoadTemplate(const std::string& path) {
  fields_.clear();
  FcFile file;
  if (!file.Open(path, kFcOpenRead)) {
    PrintMessage(
        "Can't open the field definition file! Perhaps the file is locked by other application or file doesn't exist!");
    return false;
  }
  std::string text(static_cast<std::size_t>(file.GetLength()), '\0');
  text.resize(file.Read(text.data(), text.size()));
  file.Close();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    FcAttiField field;
    if (!field.Parse(line)) {
      fields_.clear();
      return false;
    }
    fields_.push_back(field);
    start = end + 1;
  }
  if (fields_.empty()) {
    PrintMessage("No field was defined!");
    return false;
  }
  for (const FcAttiField& field : fields_) {
    if (field.kind == 0) return true;
  }
  PrintMessage("There isn't any attribute field!");
  return false;
}

bool FcAttiExport::CreateOutputFile(const std::string& path) {
  outputOpen_ = output_.Open(path, kFcOpenWrite | kFcOpenCreate);
  if (!outputOpen_) {
    PrintMessage(
        "Can't create the output file! Perhaps the file is locked by other application or file doesn't exist!");
  }
  return outputOpen_;
}

void FcAttiExport::ClearFields() {
  for (FcAttiField& field : fields_) {
    field.value = field.numeric ? "0" : "";
    field.filled = false;
  }
}

int FcAttiExport::FillFields(bool all, const FcAttribute& attribute, int level, double x, double y,
                             const FcInsert& reference) {
  int result = 0;
  for (FcAttiField& field : fields_) {
    if (!all && field.kind != 0) continue;
    if (FillField(field, attribute, level, x, y, reference) == 1) result = 1;
  }
  return result;
}

int FcAttiExport::FillField(FcAttiField& field, const FcAttribute& attribute, int level, double x, double y,
                            const FcInsert& reference) {
  switch (field.kind) {
    case 0:
      if (!EqualsNoCase(field.name, attribute.GetTag())) return 3;
      field.filled = true;
      return field.numeric ? field.SetRealText(attribute.GetText()) : field.SetText(attribute.GetText());
    case 1:
      return field.SetText(reference.GetBlockName());
    case 2:
      return field.SetInteger(level);
    case 3: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(reference.GetHandle()));
      return field.SetText(buffer);
    }
    case 4:
      return field.SetText(reference.GetLayer() != nullptr ? reference.GetLayer()->GetName() : std::string("0"));
    case 5:
      return field.SetReal(x);
    case 6:
      return field.SetReal(y);
    case 7:
      return field.SetReal(reference.GetRotation() * kRadToDeg);
    case 8:
      return field.SetReal(reference.GetXScale());
    default:
      return field.SetReal(reference.GetYScale());
  }
}

bool FcAttiExport::WriteRecord() {
  bool anyFilled = false;
  for (const FcAttiField& field : fields_) anyFilled = anyFilled || (field.kind == 0 && field.filled);
  if (!anyFilled) return false;
  std::string line;
  const bool fixedWidth = separator_ == ' ';
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (i > 0 && !fixedWidth) line += ',';
    fields_[i].Write(line, fixedWidth);
  }
  line += "\r\n";
  if (outputOpen_) output_.Write(line.data(), line.size());
  return true;
}
