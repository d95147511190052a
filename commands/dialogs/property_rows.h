#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What a row of a property grid shows and which editor selecting it opens.
enum PropertyKind : int {
  kPropertyHeading = -1,   // the name across the row, no editor
  kPropertyChoice = 0,     // a drop-down of the row's options
  kPropertyText = 1,       // an edit box
  kPropertyRgb = 2,        // "RGB(r,g,b)", "..." opens the colour chooser
  kPropertyReadOnly = 3,   // grey text, no editor
  kPropertyInteger = 4,    // an edit box with a spin control
  kPropertyFont = 5,       // a face name, "..." opens the font chooser
  kPropertyFile = 6,       // a path, "..." opens the file chooser
  kPropertyAction = 7,     // "..." only notifies
  kPropertyColorIndex = 8, // a swatch of the index colour, "..." only notifies
  kPropertyButton = 9,     // a push button across the row
  kPropertyRaised = 10,    // the value in a raised box, no editor
};

// One row of a property grid.
struct CPropertyItem {
  std::string name;
  std::string value;
  int kind = kPropertyText;
  // The choices of a choice row, each followed by "|".
  std::string options;
  // The integer of an integer row, the colour index of a colour-index row;
  // the owner sets them, a new row has 0.
  int number = 0;
  int maximum = 0;
  int minimum = 0;
};

enum class PropertyEditor { kNone, kChoice, kEdit, kSpinEdit, kBrowse };
// Kinds without a defined editor get the "..." button, which does nothing.
PropertyEditor EditorOfKind(int kind);

// Every piece of the options that ends with "|", in order; text after the
// last "|" is not a choice.
std::vector<std::string> PropertyChoices(std::string_view options);

struct PropertyRgb {
  int red = 0;
  int green = 0;
  int blue = 0;
};
std::string RgbValueText(const PropertyRgb& rgb);
// The colour a colour row's value names; black when it names none.
PropertyRgb RgbOfValue(std::string_view value);
// Where a file row's chooser starts: the value up to its last separator.
std::string PropertyFileFolder(std::string_view value);

// The rows of a property grid and the rules by which a new value reaches
// one. Each change is offered to the owner first; a refused change leaves
// the row as it was.
class CPropertyRows {
 public:
  // Whether the row may take the offered value: its text (for an integer
  // row the number as text) and its number (the integer of an integer row,
  // 0 for an action or colour-index notification, 1 for a button click).
  using ChangeQuestion = std::function<bool(const CPropertyItem& row, const std::string& text, int number)>;

  // Appends a row; returns its index.
  int AddItem(std::string name, std::string value, int kind, std::string options = {});
  int Count() const { return static_cast<int>(items_.size()); }
  bool Has(int row) const { return row >= 0 && row < Count(); }
  CPropertyItem& Item(int row) { return items_.at(static_cast<std::size_t>(row)); }
  const CPropertyItem& Item(int row) const { return items_.at(static_cast<std::size_t>(row)); }
  // Without a question every change is accepted.
  void SetQuestion(ChangeQuestion question) { question_ = std::move(question); }

  // The choice a row's drop-down opens on: the one equal to the value,
  // else the first.
  int ChoiceIndex(int row) const;
  // A typed or chosen text: stored when it differs from the value and is
  // accepted. True when stored.
  bool OfferText(int row, const std::string& text);
  bool OfferChoice(int row, int index);
  // Enter in an integer row: a whole decimal number within the row's range
  // is offered and stored as its number and value. False when the text is
  // no such number or the change was refused; the row stays.
  bool OfferNumberText(int row, std::string_view text);
  // A spin step: above the maximum the number wraps to the minimum, below
  // the minimum to the maximum.
  bool Step(int row, int delta);
  // Actions, colour indexes and buttons only tell the owner.
  void Notify(int row, int code);

 private:
  bool Offer(int row, const std::string& text, int number);
  bool OfferNumber(int row, int number);

  std::vector<CPropertyItem> items_;
  ChangeQuestion question_;
};
