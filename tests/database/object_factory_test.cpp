#include <gtest/gtest.h>

#include <memory>

#include "database/app_id.h"
#include "database/class_list.h"
#include "database/object_factory.h"
#include "files/object_registrations.h"

namespace {

class FactoryProbe : public FcObject {
 public:
  explicit FactoryProbe(int mark) : mark(mark) { SetRecordName("KOVRATESTPROBE"); }
  int mark;
};

FcObject* CreateProbeOne() { return new FactoryProbe(1); }
FcObject* CreateProbeTwo() { return new FactoryProbe(2); }

int MarkOf(std::string_view name) {
  std::unique_ptr<FcObject> object(CreateObjectByName(name));
  auto* probe = dynamic_cast<FactoryProbe*>(object.get());
  return probe == nullptr ? 0 : probe->mark;
}

TEST(ObjectFactoryTest, NamesAreMatchedWithExactCase) {
  RegisterObjectFactories();
  RegisterObjectFactories();
  std::unique_ptr<FcObject> app(CreateObjectByName("FcAppID"));
  ASSERT_NE(dynamic_cast<FcAppID*>(app.get()), nullptr);
  EXPECT_EQ(app->GetHandle(), 0u);
  EXPECT_EQ(app->GetOwner(), nullptr);
  EXPECT_EQ(CreateObjectByName("fcappid"), nullptr);
  EXPECT_EQ(CreateObjectByName(""), nullptr);
}

TEST(ObjectFactoryTest, RegisteringANameAgainReplacesItsFunction) {
  EXPECT_EQ(RegisterObjectFactory("KovraTestProbe", CreateProbeOne), CreateProbeOne);
  EXPECT_EQ(MarkOf("KovraTestProbe"), 1);
  RegisterObjectFactory("KovraTestProbe", CreateProbeTwo);
  EXPECT_EQ(MarkOf("KovraTestProbe"), 2);
  EXPECT_EQ(RegisterObjectFactory("", CreateProbeOne), nullptr);
  EXPECT_EQ(RegisterObjectFactory("KovraTestNull", nullptr), nullptr);
  EXPECT_EQ(RegisterObjectFactory(std::string(64, 'x'), CreateProbeOne), nullptr);
}

TEST(ObjectFactoryTest, GraphCreationGivesCustomTypeAndNextHandle) {
  RegisterObjectFactory("KOVRATESTPROBE", CreateProbeOne);
  FcClassList classes;
  classes.AddMissingDefaults();
  FcHandle seed = 36;
  std::unique_ptr<FcObject> unlisted(CreateObjectForGraph("KOVRATESTPROBE", classes, seed));
  EXPECT_EQ(unlisted->GetDwgType(), 0);
  EXPECT_EQ(unlisted->GetHandle(), 36u);
  classes.Add("kovratestprobe", "AcDbProbe", "test", 0, 0, 0);
  std::unique_ptr<FcObject> listed(CreateObjectForGraph("KOVRATESTPROBE", classes, seed));
  EXPECT_EQ(listed->GetDwgType(), 509);
  EXPECT_EQ(listed->GetHandle(), 37u);
  EXPECT_EQ(CreateObjectForGraph("KOVRATESTNOTHING", classes, seed), nullptr);
  EXPECT_EQ(seed, 38u);

  // A fixed type is kept.
  RegisterObjectFactories();
  std::unique_ptr<FcObject> app(CreateObjectForGraph("FcAppID", classes, seed));
  EXPECT_EQ(app->GetDwgType(), FcAppID::kDwgType);
}

TEST(ObjectFactoryTest, DwgTypesMapToClassesButNeverToEmbeddedTables) {
  RegisterObjectFactories();
  RegisterObjectFactory("KOVRATESTPROBE", CreateProbeOne);
  FcClassList classes;
  classes.AddMissingDefaults();
  classes.Add("KovraTestProbe", "AcDbProbe", "test", 0, 0, 0);

  std::unique_ptr<FcObject> app(CreateObjectByDwgType(classes, 67));
  EXPECT_NE(dynamic_cast<FcAppID*>(app.get()), nullptr);
  std::unique_ptr<FcObject> custom(CreateObjectByDwgType(classes, 509));
  ASSERT_NE(dynamic_cast<FactoryProbe*>(custom.get()), nullptr);
  EXPECT_EQ(custom->GetDwgType(), 509);
  EXPECT_EQ(custom->GetHandle(), 0u);

  for (const int type : {48, 50, 52, 56, 62, 66, 68}) {
    EXPECT_TRUE(IsEmbeddedTableDwgType(type)) << type;
    EXPECT_EQ(CreateObjectByDwgType(classes, type), nullptr) << type;
  }
  for (const int type : {0, 60, 61, 64, 65, 70, 71, 499, 510}) {
    EXPECT_FALSE(IsEmbeddedTableDwgType(type)) << type;
    EXPECT_EQ(CreateObjectByDwgType(classes, type), nullptr) << type;
  }
  std::string name;
  EXPECT_TRUE(GetCustomClassName(classes, 2, name));
  EXPECT_EQ(name, "LAYOUT");
  EXPECT_FALSE(GetCustomClassName(classes, 10, name));
  EXPECT_FALSE(GetCustomClassName(classes, -1, name));
}

}  // namespace
