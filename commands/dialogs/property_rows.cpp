#include "commands/dialogs/property_rows.h"

#include <algorithm>
#include <cstdio>

#include "core/value_parse.h"

PropertyEditor EditorOfKind(int kind) {
  switch (kind) {
    case kPropertyChoice:
      return PropertyEditor::kChoice;
    case kPropertyText:
      return PropertyEditor::kEdit;
    case kPropertyInteger:
      return PropertyEditor::kSpinEdit;
    case kPropertyHeading:
    case kPropertyReadOnly:
    case kPropertyButton:
    case kPropertyRaised:
      return PropertyEditor::kNone;
    default:
      return PropertyEditor::kBrowse;
  }
}

std::vector<std::string> PropertyChoices(std::string_view options) {
  std::vector<std::string> choices;
  for (std::size_t bar = options.find('|'); bar != std::string_view::npos; bar = options.find('|')) {
    choices.emplace_back(options.substr(0, bar));
    options.remove_prefix(bar + 1);
  }
  return choices;
}

std::string RgbValueText(const PropertyRgb& rgb) {
  char text[48];
  std::snprintf(text, sizeof text, "RGB(%d,%d,%d)", rgb.red, rgb.green, rgb.blue);
  return text;
}

PropertyRgb RgbOfValue(std::string_view value) {
  const std::size_t at = value.find("RGB(");
  if (at == std::string_view::npos) return {};
  std::string_view rest = value.substr(at + 4);
  int parts[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    const std::size_t end = rest.find(i < 2 ? ',' : ')');
    if (end == std::string_view::npos || !ParseInteger(rest.substr(0, end), parts[i])) return {};
    rest.remove_prefix(end + 1);
  }
  // A hand-edited value may hold numbers no colour has.
  const auto channel = [](int number) { return std::clamp(number, 0, 255); };
  return {channel(parts[0]), channel(parts[1]), channel(parts[2])};
}

std::string PropertyFileFolder(std::string_view value) {
  const std::size_t last = value.find_last_of("\\/");
  return last == std::string_view::npos ? std::string() : std::string(value.substr(0, last));
}

int CPropertyRows::AddItem(std::string name, std::string value, int kind, std::string options) {
  items_.push_back({std::move(name), std::move(value), kind, std::move(options)});
  return Count() - 1;
}

int CPropertyRows::ChoiceIndex(int row) const {
  const std::vector<std::string> choices = PropertyChoices(Item(row).options);
  const auto found = std::find(choices.begin(), choices.end(), Item(row).value);
  return found == choices.end() ? 0 : static_cast<int>(found - choices.begin());
}

bool CPropertyRows::Offer(int row, const std::string& text, int number) {
  return !question_ || question_(Item(row), text, number);
}

bool CPropertyRows::OfferText(int row, const std::string& text) {
  if (text == Item(row).value || !Offer(row, text, 0)) return false;
  Item(row).value = text;
  return true;
}

bool CPropertyRows::OfferChoice(int row, int index) {
  const std::vector<std::string> choices = PropertyChoices(Item(row).options);
  if (index < 0 || index >= static_cast<int>(choices.size())) return false;
  return OfferText(row, choices[static_cast<std::size_t>(index)]);
}

bool CPropertyRows::OfferNumberText(int row, std::string_view text) {
  const CPropertyItem& item = Item(row);
  int number = 0;
  if (!ParseInteger(text, number) || number < item.minimum || number > item.maximum) return false;
  return OfferNumber(row, number);
}

bool CPropertyRows::Step(int row, int delta) {
  const CPropertyItem& item = Item(row);
  // Wide enough that a step from either end of int cannot overflow.
  long long next = static_cast<long long>(item.number) + delta;
  if (next > item.maximum) next = item.minimum;
  if (next < item.minimum) next = item.maximum;
  return OfferNumber(row, static_cast<int>(next));
}

bool CPropertyRows::OfferNumber(int row, int number) {
  const std::string value = std::to_string(number);
  if (!Offer(row, value, number)) return false;
  Item(row).number = number;
  Item(row).value = value;
  return true;
}

void CPropertyRows::Notify(int row, int code) { Offer(row, Item(row).value, code); }
