#include "frame/heap.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

int g_calls = 0;
bool FailThird(std::size_t) { return ++g_calls != 3; }

TEST(Heap, GateFailsTheChosenAllocationOnly) {
  g_calls = 0;
  SetAllocGate(FailThird);
  auto a = AllocArray<int>(4);
  auto b = AllocArray<int>(4);
  auto c = AllocArray<int>(4);
  auto d = AllocArray<int>(4);
  SetAllocGate(nullptr);
  EXPECT_TRUE(a && b && d);
  EXPECT_FALSE(c);
}

}  // namespace
}  // namespace qm
