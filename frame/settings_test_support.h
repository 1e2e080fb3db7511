// Test fixture of the settings code: a fresh g_app, an in-memory store, recorded notices and
// recorded platform calls.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <vector>

#include "frame/alloc_or_abort.h"
#include "frame/app_state.h"
#include "frame/heap.h"
#include "frame/settings.h"
#include "frame/settings_store_memory.h"
#include "tests/recording_notices.h"
#include "text/document.h"

#include "tests/fake_text_device.h"

namespace qm::testing {

struct PlatformCalls {
  std::vector<int> loadedBitmaps;
  std::vector<BitmapHandle> deletedBitmaps;
  int quits = 0;
};

inline PlatformCalls& Calls() {
  static PlatformCalls calls;
  return calls;
}

inline BitmapHandle FakeLoadBitmap(InstanceHandle, int id) {
  Calls().loadedBitmaps.push_back(id);
  return reinterpret_cast<BitmapHandle>(static_cast<std::uintptr_t>(id));
}
inline void FakeDeleteBitmap(BitmapHandle b) {
  Calls().deletedBitmaps.push_back(b);
}
inline void FakePostQuit(int) {
  ++Calls().quits;
}

// A document whose TopLine is `topLine`, allocated the way the core allocates documents.
inline DocumentPtr MakeDocument(std::uint16_t topLine) {
  static FakeTextDevice device;
  DocumentPtr doc = CreateDocument(&device, nullptr, FontSettings{}, 0);
  if (doc) doc->TopLine = topLine;
  return doc;
}

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() { Reset(); }
  ~SettingsTest() override {
    Reset();
    SetSettingsPlatform({});
  }

  static void Reset() {
    SetAllocGate(nullptr);
    SetAbortHandler(nullptr);
    ResetAppState();
    ResetShutdownSaveForTesting();
    Calls() = {};
    SetSettingsPlatform({&FakeLoadBitmap, &FakeDeleteBitmap, &FakePostQuit});
  }

  static std::vector<std::uint8_t> Bytes(std::initializer_list<int> b) {
    return std::vector<std::uint8_t>(b.begin(), b.end());
  }

  MemorySettingsStore store;
  RecordingNotices notices;
};

}  // namespace qm::testing
