#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "entities/attribute_extraction.h"
#include "filers/file_object.h"

// One column of an attribute extraction file, as a template line names it.
struct FcAttiField {
  std::string name;
  // 0 an attribute tag; 1 to 9 the block columns BL:NAME, BL:LEVEL,
  // BL:HANDLE, BL:LAYER, BL:X, BL:Y, BL:ORIENT, BL:XSCALE, BL:YSCALE.
  int kind = 0;
  bool numeric = false;
  int width = 16;
  int decimals = 0;
  std::string value;
  bool filled = false;

  // "NAME Cwwwddd" or "NAME Nwwwddd"; false for anything else, an empty
  // line included, and for a block column of the wrong type.
  bool Parse(std::string_view line);
  // Each 1 when the value had to be cut to the width, else 0.
  int SetText(std::string_view text);
  int SetInteger(int number);
  int SetReal(double number);
  // A text that is not a number gives "0".
  int SetRealText(std::string_view text);
  // Fixed width: padded (numbers in front, text behind) or cut to the
  // width. Comma form: text in single quotes, numbers as they are.
  void Write(std::string& out, bool fixedWidth) const;
};

// Writes one line per block reference with attributes, in the columns of a
// template file: the comma-delimited form, or fixed-width columns when the
// separator is a blank. The output file is closed when the exporter goes.
class FcAttiExport : public FcAttributeSink {
 public:
  ~FcAttiExport() override;

  // True when the template holds at least one attribute-tag column; a
  // malformed line refuses the template silently, the other refusals with
  // a history line.
  bool LoadTemplate(const std::string& path);
  bool CreateOutputFile(const std::string& path);
  void SetSeparator(char separator) { separator_ = separator; }
  const std::vector<FcAttiField>& GetFields() const { return fields_; }

  void ClearFields() override;
  int FillFields(bool all, const FcAttribute& attribute, int level, double x, double y,
                 const FcInsert& reference) override;
  bool WriteRecord() override;

 private:
  // 3 when an attribute column's name is not the attribute's tag.
  int FillField(FcAttiField& field, const FcAttribute& attribute, int level, double x, double y,
                const FcInsert& reference);

  std::vector<FcAttiField> fields_;
  FcFile output_;
  bool outputOpen_ = false;
  char separator_ = ',';
};
