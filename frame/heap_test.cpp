#include "frame/heap.h"

#include <gtest/gtest.h>

#include "frame/alloc_or_abort.h"
#include "tests/recording_notices.h"

namespace qm {
namespace {

int g_calls = 0;
bool FailThird(std::size_t) {
  return ++g_calls != 3;
}

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

int g_aborts = 0;

TEST(AllocOrAbort, TellsTheUserAndSavesOnceWhateverFailsAfter) {
  RecordingNotices notices;
  g_aborts = 0;
  SetAbortHandler([] { ++g_aborts; });
  SetAllocGate([](std::size_t) { return false; });
  EXPECT_EQ(AllocOrAbort(16), nullptr);
  EXPECT_EQ(AllocOrAbort(16), nullptr);
  EXPECT_EQ(AllocOrAbort(16), nullptr);
  SetAllocGate(nullptr);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 1);
  EXPECT_EQ(g_aborts, 1);
  void* p = AllocOrAbort(16);  // memory that comes back is still handed out
  EXPECT_NE(p, nullptr);
  HeapRelease(p);

  // A handler installed anew (a new run, in tests) starts the path afresh.
  SetAbortHandler([] { ++g_aborts; });
  SetAllocGate([](std::size_t) { return false; });
  EXPECT_EQ(AllocOrAbort(16), nullptr);
  SetAllocGate(nullptr);
  SetAbortHandler(nullptr);
  EXPECT_EQ(notices.Count(Notice::OutOfMemory), 2);
  EXPECT_EQ(g_aborts, 2);
}

// The box's own message loop runs commands that were posted before; one that fails again while
// the box is up gets null without a second box.
TEST(AllocOrAbort, AFailureWhileTheBoxIsUpShowsNoSecondBox) {
  struct Reentering final : NoticeSink {
    int boxes = 0;
    int Show(Notice n, WindowHandle) override {
      if (n == Notice::OutOfMemory && boxes++ == 0) {
        EXPECT_EQ(AllocOrAbort(16), nullptr);
      }
      return kAnswerOk;
    }
  } notices;
  SetNoticeSink(&notices);
  g_aborts = 0;
  SetAbortHandler([] { ++g_aborts; });
  SetAllocGate([](std::size_t) { return false; });
  EXPECT_EQ(AllocOrAbort(16), nullptr);
  SetAllocGate(nullptr);
  SetAbortHandler(nullptr);
  SetNoticeSink(nullptr);
  EXPECT_EQ(notices.boxes, 1);
  EXPECT_EQ(g_aborts, 1);
}

}  // namespace
}  // namespace qm
