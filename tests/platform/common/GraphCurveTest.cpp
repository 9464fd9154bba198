// The curve holder: one reference per holder, taken from the registered curve factory.
#include "platform/common/GraphCurve.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CFakeCurve : public IGraphCurve {
 public:
  explicit CFakeCurve(int* alive) : alive_(alive) { ++*alive_; }
  void AddRef() override { ++references; }
  void Release() override {
    if (--references == 0) delete this;
  }
  void SetName(const std::wstring&) override {}
  void SetWidth(int) override {}
  void SetGraphType(int) override {}
  void AddPoint(double, double) override {}
  void ClearPoints() override {}
  void SetColor(COLORREF) override {}
  void Refresh() override {}

  int references = 1;

 private:
  ~CFakeCurve() override { --*alive_; }
  int* alive_;
};

TEST(GraphCurveTest, HoldersShareACurveAndReleaseItWhenTheLastLetsGo) {
  int made = 0, alive = 0;
  ORLORegisterCurveFactory([&] {
    ++made;
    return new CFakeCurve(&alive);
  });
  auto first = std::make_unique<CGraphCurvePtr>();
  ASSERT_TRUE(first->CreateAndRef());
  ASSERT_TRUE(first->CreateAndRef());  // replaces (and releases) the first curve
  EXPECT_EQ(made, 2);
  EXPECT_EQ(alive, 1);
  auto* curve = static_cast<CFakeCurve*>(first->Get());
  {
    CGraphCurvePtr copy(*first);
    CGraphCurvePtr assigned;
    assigned = copy;
    assigned = static_cast<const CGraphCurvePtr&>(assigned);  // self-assignment
    EXPECT_EQ(curve->references, 3);
    assigned = CGraphCurvePtr();
    EXPECT_EQ(curve->references, 2);
  }
  first.reset();
  EXPECT_EQ(alive, 0);

  ORLORegisterCurveFactory({});  // no graph plug-in
  CGraphCurvePtr empty;
  EXPECT_FALSE(empty.CreateAndRef());
  EXPECT_EQ(empty.Get(), nullptr);
}

}  // namespace
