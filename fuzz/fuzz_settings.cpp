// Fuzzes the settings load: stored values of any type and size go through LoadSettings and the
// bookmark commands, and the state and the shutdown save must keep their shapes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "frame/alloc_or_abort.h"
#include "frame/app_state.h"
#include "frame/bookmarks.h"
#include "frame/heap.h"
#include "frame/settings.h"
#include "frame/settings_store_memory.h"

namespace {

constexpr const char16_t* kNames[] = {u"FontName",      u"SearchString", u"FontSize",
                                      u"FontAsciiBase", u"LastPosition", u"Flags",
                                      u"Lesson",        u"Bookmarks",    u"SurroundingGutter"};
constexpr std::uint32_t kTypes[] = {0, 1, 2, 3, 4, 7, 11};

int g_allocsLeft = -1;  // -1: never fail

bool Gate(std::size_t) {
  return g_allocsLeft < 0 || g_allocsLeft-- > 0;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckState() {
  using qm::g_app;
  Check(g_app.FontSettings.FontName[31] == 0);
  Check(g_app.SearchText[33] == 0);
  if (!g_app.BookmarkList) return;
  for (std::size_t i = 0; i < g_app.BookmarkCount; ++i)
    Check(g_app.BookmarkList[i] != 0);
  Check(g_app.BookmarkList[g_app.BookmarkCount] == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qm::ResetAppState();
  qm::ResetShutdownSaveForTesting();
  qm::MemorySettingsStore store;
  std::size_t at = 0;
  auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };

  // Each value: a type selector (0 leaves it missing), a length, then that many bytes. A length
  // byte of 255 is followed by a 16-bit length, so that blobs of any size are stored too.
  for (const char16_t* name : kNames) {
    const std::uint8_t selector = next();
    std::size_t length = next();
    if (length == 255) {
      const std::size_t low = next();
      length = low | std::size_t{next()} << 8;
    }
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < length && at < size; ++i)
      bytes.push_back(next());
    if (selector % 8 == 0) continue;
    const std::uint32_t type = kTypes[selector % std::size(kTypes)];
    const bool publisher = name[0] == u'S' && name[1] == u'u';
    store.SetRaw(name, type, std::move(bytes), publisher ? qm::kPublisherKey : qm::kSettingsKey);
  }
  const std::uint8_t failAfter = next();
  g_allocsLeft = failAfter < 16 ? failAfter : -1;
  qm::SetAllocGate(&Gate);

  qm::ReadNumber(qm::kPublisherKey, u"SurroundingGutter", 10);
  qm::LoadSettings();
  CheckState();

  // The rest of the input: lessons to toggle.
  while (at < size && !qm::ShutdownSaveDone()) {
    qm::g_app.CurrentLesson = static_cast<std::uint16_t>(next() % 250);
    qm::ToggleBookmark(qm::IsBookmarked());
    CheckState();
  }
  const std::uint16_t count = qm::g_app.BookmarkCount;
  const bool hadList = qm::g_app.BookmarkList != nullptr;
  const bool savedBefore = qm::ShutdownSaveDone();
  qm::SaveSettingsAndQuit();
  if (!savedBefore && !store.failWrites) {
    const auto stored = store.Get(u"Bookmarks");
    Check(stored.has_value());
    Check(stored->bytes.size() == (hadList ? std::size_t{count} + 1 : 1) * 2);
    Check(stored->bytes[stored->bytes.size() - 1] == 0 &&
          stored->bytes[stored->bytes.size() - 2] == 0);
  }
  qm::SetAllocGate(nullptr);
  qm::SetAbortHandler(nullptr);
  qm::ResetAppState();
  return 0;
}
