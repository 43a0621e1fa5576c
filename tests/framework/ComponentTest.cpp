#include "framework/Component.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/PlatformFixture.h"

namespace {

using Log = std::vector<std::string>;

// Records its own destruction, so that a test can see the order in which an owner frees
// what it owns, and counts its Loaded calls.
class LoggedComponent : public TComponent {
 public:
  LoggedComponent(TComponent* owner, const std::string& name, std::shared_ptr<Log> log)
      : TComponent(owner), log_(std::move(log)) {
    SetName(name);
  }
  ~LoggedComponent() override { log_->push_back("free " + Name()); }

  int loadedCalls = 0;

 protected:
  void Loaded() override { ++loadedCalls; }

 private:
  std::shared_ptr<Log> log_;
};

class ComponentTest : public PlatformTest {
 protected:
  LoggedComponent* Make(TComponent* by, const std::string& name) { return new LoggedComponent(by, name, log); }

  std::shared_ptr<Log> log = std::make_shared<Log>();
};

TEST_F(ComponentTest, OwnerFreesWhatItOwnsLastCreatedFirst) {
  auto* parent = Make(owner.get(), "parent");
  Make(parent, "a");
  auto* b = Make(parent, "b");
  Make(b, "b1");
  Make(parent, "c");
  ASSERT_EQ(parent->ComponentCount(), 3);
  EXPECT_EQ(parent->Components(1), b);
  EXPECT_EQ(b->Owner(), parent);

  delete parent;
  // Each derived destructor runs before its base frees the components it owns.
  EXPECT_EQ(*log, (Log{"free parent", "free c", "free b", "free b1", "free a"}));
  EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST_F(ComponentTest, ComponentFreedFirstLeavesItsOwnersList) {
  auto* parent = Make(owner.get(), "parent");
  auto* a = Make(parent, "a");
  Make(parent, "b");
  delete a;
  ASSERT_EQ(parent->ComponentCount(), 1);
  EXPECT_EQ(parent->Components(0)->Name(), "b");
  EXPECT_EQ(parent->FindComponent("a"), nullptr);

  log->clear();
  owner.reset();  // would free a twice if it were still listed
  EXPECT_EQ(*log, (Log{"free parent", "free b"}));
}

// A component may free a sibling it knows about while the owner is freeing its list.
class SiblingFreer : public TComponent {
 public:
  SiblingFreer(TComponent* owner, TComponent* sibling) : TComponent(owner), sibling_(sibling) {}
  ~SiblingFreer() override { delete sibling_; }

 private:
  TComponent* sibling_;
};

TEST_F(ComponentTest, OwnedComponentMayFreeASiblingDuringTheOwnersDestruction) {
  auto* parent = Make(owner.get(), "parent");
  auto* a = Make(parent, "a");
  Make(parent, "b");
  new SiblingFreer(parent, a);
  delete parent;
  EXPECT_EQ(*log, (Log{"free parent", "free a", "free b"}));
}

TEST_F(ComponentTest, FindComponentLooksAmongOwnedComponentsByName) {
  auto* parent = Make(owner.get(), "parent");
  auto* unnamed = Make(parent, "");
  auto* play = Make(parent, "PlayButton");
  auto* child = Make(play, "Glyph");
  EXPECT_EQ(parent->FindComponent("PlayButton"), play);
  EXPECT_EQ(parent->FindComponent("Missing"), nullptr);
  // Only directly owned components are searched.
  EXPECT_EQ(parent->FindComponent("Glyph"), nullptr);
  EXPECT_EQ(play->FindComponent("Glyph"), child);
  // An empty name names nothing, even though unnamed components are owned.
  ASSERT_EQ(unnamed->Name(), "");
  EXPECT_EQ(parent->FindComponent(""), nullptr);
}

TEST_F(ComponentTest, LoadedRunsOnceWhenLoadingEnds) {
  auto* c = Make(owner.get(), "c");
  EXPECT_FALSE(c->Loading());
  c->BeginLoading();
  EXPECT_TRUE(c->Loading());
  EXPECT_EQ(c->loadedCalls, 0);
  c->EndLoading();
  EXPECT_EQ(c->loadedCalls, 1);
  EXPECT_FALSE(c->Loading());
}

}  // namespace
