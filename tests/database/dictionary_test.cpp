#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "files/object_registrations.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "tests/support/dictionary_test_support.h"

namespace {

// An entry object that tells when it is deleted.
class Probe : public FcDictionaryVar {
 public:
  explicit Probe(bool& deleted) : deleted_(deleted) {}
  ~Probe() override { deleted_ = true; }

 private:
  bool& deleted_;
};

// An object that writes no record of its own: an entry naming it names a
// handle whose record is whatever else the file holds under that handle.
class Silent : public FcObject {};

// The tree under a dictionary as text: entry names, handles, classes,
// variable values and whether every object is owned by its dictionary.
std::string Describe(const FcObject& object) {
  std::string text = object.GetRecordName() + "#" + std::to_string(object.GetHandle());
  if (const auto* variable = dynamic_cast<const FcDictionaryVar*>(&object))
    text += "=" + variable->GetValue() + "/" + std::to_string(variable->GetSchema());
  const auto* dictionary = dynamic_cast<const FcDictionary*>(&object);
  if (dictionary == nullptr) return text;
  text += "{" + std::to_string(dictionary->GetHardOwner()) + "," + std::to_string(dictionary->GetCloning());
  for (int i = 0; i < dictionary->GetEntryCount(); ++i) {
    const FcDictionaryEntry& entry = dictionary->GetEntry(i);
    text += " " + entry.name + ":";
    if (entry.object == nullptr) continue;
    if (entry.object->GetOwner() != dictionary) text += "(not owned)";
    text += Describe(*entry.object);
  }
  return text + "}";
}

class DictionaryTest : public testing::Test {
 protected:
  void SetUp() override { RegisterObjectFactories(); }

  // The named-object tree of a small drawing: nested dictionaries, a
  // variable, and a dictionary with a default holding a placeholder.
  void BuildTree(FcDictionary& root) {
    root.SetHandle(0x40);
    root.SetHardOwner(true);
    root.SetCloning(3);
    auto* groups = new FcDictionary;
    groups->SetHandle(0x41);
    groups->SetOwnerRefCode(FcDictionary::kRelativeOwnerCode);
    root.SetAt("ACAD_GROUP", groups);
    auto* variables = new FcDictionary;
    variables->SetHandle(0x42);
    root.SetAt("AcDbVariableDictionary", variables);
    auto* drawOrder = new FcDictionaryVar;
    drawOrder->SetHandle(0x43);
    drawOrder->SetDwgType(graph.GetCustomClassType("DICTIONARYVAR"));
    drawOrder->SetValue("3");
    variables->SetAt("DRAWORDERCTL", drawOrder);
    auto* plotStyles = new FcDictionaryWidthDefault;
    plotStyles->SetHandle(0x44);
    plotStyles->SetDwgType(graph.GetCustomClassType("ACDBDICTIONARYWDFLT"));
    root.SetAt("ACAD_PLOTSTYLENAME", plotStyles);
    auto* normal = new FcPlaceHolder;
    normal->SetHandle(0x45);
    normal->SetDwgType(graph.GetCustomClassType("ACDBPLACEHOLDER"));
    plotStyles->SetAt("Normal", normal);
  }

  FcGraph graph;
};

TEST_F(DictionaryTest, EntriesAreNamedWithoutRegardToCase) {
  FcDictionary dictionary;
  bool firstDeleted = false;
  auto* first = new Probe(firstDeleted);
  dictionary.SetAt("ACAD_LAYOUT", first);
  EXPECT_EQ(dictionary.GetAt("acad_layout"), first);
  EXPECT_EQ(first->GetOwner(), &dictionary);

  auto* second = new FcDictionaryVar;
  second->SetHandle(0x51);
  dictionary.SetAt("Acad_Layout", second);
  EXPECT_TRUE(firstDeleted);
  ASSERT_EQ(dictionary.GetEntryCount(), 1);
  EXPECT_EQ(dictionary.GetEntry(0).name, "ACAD_LAYOUT");
  EXPECT_EQ(dictionary.GetEntry(0).handle, 0x51u);
  EXPECT_EQ(dictionary.FindByHandle(0x51), second);

  auto* third = new FcDictionaryVar;
  dictionary.SetAt("NEXT", third);
  dictionary.SetAt("next", third);  // storing the entry's own object again keeps it
  dictionary.SetAt("OTHER", second);  // one object, one entry
  FcDictionaryVar tooLong;
  dictionary.SetAt(std::string(64, 'N'), &tooLong);  // the entry holds 63 characters
  ASSERT_EQ(dictionary.GetEntryCount(), 2);
  EXPECT_EQ(dictionary.GetEntry(1).name, "NEXT");
  EXPECT_EQ(dictionary.GetAt("NEXT"), third);

  FcDictionaryVar replacement;
  EXPECT_TRUE(dictionary.ReplaceObject("next", &replacement));
  EXPECT_EQ(dictionary.GetAt("NEXT"), &replacement);
  EXPECT_FALSE(dictionary.ReplaceObject("missing", third));
  ASSERT_TRUE(dictionary.ReplaceObject("NEXT", third));  // hands the entry back before the stack object goes

  EXPECT_FALSE(dictionary.Remove("missing"));
  EXPECT_FALSE(dictionary.RemoveAt(2));
  EXPECT_TRUE(dictionary.Remove("acad_layout"));
  ASSERT_EQ(dictionary.GetEntryCount(), 1);
  EXPECT_EQ(dictionary.GetEntry(0).name, "NEXT");
}

TEST_F(DictionaryTest, ADictionaryNeverReachesItself) {
  FcDictionary root;
  root.SetHandle(0x10);
  auto* child = new FcDictionary;
  root.SetAt("CHILD", child);
  auto* grandchild = new FcDictionary;
  child->SetAt("GRAND", grandchild);

  root.SetAt("SELF", &root);
  child->SetAt("UP", &root);
  grandchild->SetAt("UP", child);
  EXPECT_FALSE(child->ReplaceObject("GRAND", &root));
  root.SetAt("CHILD", grandchild);  // deleting the child would delete it too
  EXPECT_EQ(root.GetAt("CHILD"), child);
  EXPECT_EQ(root.GetEntryCount(), 1);
  EXPECT_EQ(child->GetEntryCount(), 1);
  EXPECT_EQ(grandchild->GetEntryCount(), 0);
  EXPECT_EQ(root.GetCount(), 2);

  // A file that lists a dictionary as an entry of itself.
  FcFiler filer;
  StartReading(filer, Groups({{5, "10"}, {100, "AcDbDictionary"}, {3, "SELF"}, {350, "10"}, {0, "EOF"}}),
               FcFileKind::kAsciiDxf, &graph);
  FcDictionary read;
  ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
  EXPECT_FALSE(read.LinkObject(&read));

  // Nesting deeper than any drawing needs is refused.
  FcDictionary top;
  FcDictionary* last = &top;
  for (int depth = 1; depth < FcDictionary::kMaxNesting; ++depth) {
    auto* next = new FcDictionary;
    last->SetAt("N", next);
    ASSERT_EQ(last->GetAt("N"), next);
    last = next;
  }
  auto* tooDeep = new FcDictionary;
  last->SetAt("N", tooDeep);
  EXPECT_EQ(last->GetAt("N"), nullptr);
  delete tooDeep;
}

TEST_F(DictionaryTest, WritesItsEntriesThenTheirRecords) {
  FcDictionary root;
  root.SetHandle(0x40);
  auto* dictionary = new FcDictionary;
  dictionary->SetHandle(0x41);
  root.SetAt("D", dictionary);
  auto* holder = new FcPlaceHolder;
  holder->SetHandle(0x50);
  dictionary->SetAt("A", holder);
  FcFiler filer;
  StartMemory(filer, FcFileKind::kAsciiDxf, &graph);
  EXPECT_EQ(dictionary->WriteDxf(filer), kFcStatusOk);
  EXPECT_EQ(Contents(filer), Groups({{0, "DICTIONARY"},
                                     {5, "41"},
                                     {330, "40"},
                                     {102, "{ACAD_REACTORS"},
                                     {330, "40"},
                                     {102, "}"},
                                     {100, "AcDbDictionary"},
                                     {281, "1"},
                                     {3, "A"},
                                     {350, "50"},
                                     {0, "ACDBPLACEHOLDER"},
                                     {5, "50"},
                                     {330, "41"},
                                     {102, "{ACAD_REACTORS"},
                                     {330, "41"},
                                     {102, "}"}}));
}

TEST_F(DictionaryTest, DxfRoundTripInBothForms) {
  FcDictionary root;
  BuildTree(root);
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    FcDictionary read;
    ASSERT_TRUE(DxfRoundTrip(root, kind, graph, read));
    EXPECT_EQ(Describe(read), Describe(root));
  }
}

TEST_F(DictionaryTest, MalformedDxfRecordsFail) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, std::string>> groups;
    int status;
  };
  const std::vector<Case> cases = {
      {"plain entries", {{5, "41"}, {100, "AcDbDictionary"}, {281, "1"}, {3, "A"}, {350, "50"}, {0, "X"}}, 0},
      // Written so by other programs; the entry is the same.
      {"hard owner with entries of 350",
       {{5, "41"}, {100, "AcDbDictionary"}, {280, "1"}, {3, "A"}, {350, "50"}, {0, "X"}}, 0},
      {"another subclass", {{5, "41"}, {100, "AcDbOther"}, {0, "X"}}, 1},
      {"name without handle", {{5, "41"}, {100, "AcDbDictionary"}, {3, "A"}, {3, "B"}, {350, "50"}}, 1},
      {"stray group after entries", {{5, "41"}, {100, "AcDbDictionary"}, {3, "A"}, {350, "50"}, {70, "1"}}, 1},
      {"no handle before the marker", {{100, "AcDbDictionary"}, {0, "X"}}, 1},
      {"input ends", {{5, "41"}, {100, "AcDbDictionary"}, {3, "A"}, {350, "50"}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcFiler filer;
    StartReading(filer, Groups(c.groups), FcFileKind::kAsciiDxf, &graph);
    FcDictionary read;
    EXPECT_EQ(read.ReadDxf(filer), c.status);
  }
}

TEST_F(DictionaryTest, RecordsOfOtherWritersAreRead) {
  // Hard ownership told by extended data after the entries, without 280.
  FcFiler filer;
  StartReading(filer,
               Groups({{5, "2C0"},
                       {330, "2"},
                       {100, "AcDbDictionary"},
                       {3, "ACAD_LAYERSTATES"},
                       {360, "2C1"},
                       {1001, "ACAD"},
                       {1000, "TREAT_AS_HARD"},
                       {1070, "1"},
                       {0, "ACDBPLACEHOLDER"},
                       {5, "F"},
                       {102, "{ACAD_REACTORS"},
                       {330, "E"},
                       {102, "}"},
                       {330, "E"},
                       {100, "AcDbPlaceHolder"},
                       {0, "EOF"}}),
               FcFileKind::kAsciiDxf, &graph);
  FcDictionary read;
  ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
  ASSERT_EQ(read.GetEntryCount(), 1);
  EXPECT_EQ(read.GetEntry(0).handle, 0x2C1u);
  EXPECT_EQ(read.GetHardOwner(), 1);
  EXPECT_EQ(read.GetXdata().GetCount(), 1);

  // A placeholder with a subclass marker of its own.
  FcPlaceHolder holder;
  ASSERT_EQ(ReadRecord(filer, holder), kFcStatusOk);
  EXPECT_EQ(holder.GetHandle(), 0xFu);
  FcResBuf next;
  ASSERT_TRUE(filer.ReadGroup(next));
  EXPECT_STREQ(next.text, "EOF");
}

TEST_F(DictionaryTest, DwgRoundTrip) {
  FcDictionary root;
  BuildTree(root);
  FcFilerDwg filer;
  FcDictionary read;
  ASSERT_EQ(DwgRoundTrip(root, graph, filer, read), kFcStatusOk);
  EXPECT_EQ(Describe(read), Describe(root));
  const auto* groups = dynamic_cast<const FcDictionary*>(read.GetAt("ACAD_GROUP"));
  ASSERT_NE(groups, nullptr);
  // The relative form the writer chose (8: one below the own handle) is
  // kept, and written again relative.
  EXPECT_EQ(groups->GetOwnerRefCode(), 8);
  EXPECT_EQ(read.GetOwnerRefCode(), FcDictionary::kAbsoluteOwnerCode);

  FcFilerDwg damaged;
  StartDamagedCopy(filer, damaged, &graph);
  FcPlaceHolder holder;
  holder.SetHandle(0x45);
  holder.SetDwgType(graph.GetCustomClassType("ACDBPLACEHOLDER"));
  EXPECT_EQ(holder.ReadDwg(damaged), kFcStatusReadError);
}

// Entries that name a dictionary already in the tree (the dictionary
// itself, one above, or one read before) are dropped instead of being read
// over and over; an entry whose record is missing fails the read.
TEST_F(DictionaryTest, DwgEntriesReachingTheTreeAreDropped) {
  struct Case {
    const char* name;
    bool throughChild;
    FcHandle silentHandle;
    int status;
    int entriesLeft;
  };
  const Case cases[] = {
      {"entry is the dictionary itself", false, 0x40, 0, 1},
      {"entry of a child names the top", true, 0x40, 0, 1},
      {"entry names a dictionary read before", false, 0x41, 0, 1},
      {"entry names no record", false, 0x99, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FcDictionary root;
    root.SetHandle(0x40);
    auto* child = new FcDictionary;
    child->SetHandle(0x41);
    root.SetAt("CHILD", child);
    auto* silent = new Silent;
    silent->SetHandle(c.silentHandle);
    FcDictionary& holder = c.throughChild ? *child : root;
    holder.SetAt("LOOP", silent);
    FcFilerDwg filer;
    FcDictionary read;
    EXPECT_EQ(DwgRoundTrip(root, graph, filer, read), c.status);
    EXPECT_EQ(read.GetEntryCount(), c.entriesLeft);
    if (c.throughChild) {
      const auto* readChild = dynamic_cast<const FcDictionary*>(read.GetAt("CHILD"));
      ASSERT_NE(readChild, nullptr);
      EXPECT_EQ(readChild->GetEntryCount(), 0);
    }
  }
}

TEST_F(DictionaryTest, DwgReadKeepsOnlyKnownEntriesWhenAsked) {
  FcDictionary root;
  root.SetHandle(0x40);
  for (const auto& [name, handle] : {std::pair{"ACAD_GROUP", 0x41}, std::pair{"CUSTOM_DATA", 0x42}}) {
    auto* entry = new FcDictionary;
    entry->SetHandle(handle);
    root.SetAt(name, entry);
  }
  FcFilerDwg filer;
  FcDictionary read;
  read.SetKnownEntriesOnly(true);
  ASSERT_EQ(DwgRoundTrip(root, graph, filer, read), kFcStatusOk);
  ASSERT_EQ(read.GetEntryCount(), 1);
  EXPECT_EQ(read.GetEntry(0).name, "ACAD_GROUP");
}

// A dictionary with a default whose one entry cannot be made or read ends
// with no entries.
TEST_F(DictionaryTest, DictionaryWithDefaultDropsAnUnreadableEntry) {
  FcDictionaryWidthDefault plotStyles;
  plotStyles.SetHandle(0x44);
  plotStyles.SetDwgType(graph.GetCustomClassType("ACDBDICTIONARYWDFLT"));
  auto* normal = new FcPlaceHolder;
  normal->SetHandle(0x45);
  normal->SetDwgType(600);  // a type that no class of the drawing stands for
  plotStyles.SetAt("Normal", normal);
  FcFilerDwg filer;
  WriteDwgRecords(filer, graph, plotStyles);
  FcDictionaryWidthDefault read;
  read.SetHandle(0x44);
  read.SetDwgType(plotStyles.GetDwgType());
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  EXPECT_EQ(read.GetEntryCount(), 0);
}

}  // namespace
