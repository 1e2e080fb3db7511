// The long-running tests of the GUI driver, each in a file of its own.
#pragma once

#include <string>
#include <vector>

namespace qm::gui {

int DialogLeakTest(const std::wstring& exe);
int SoakTest(const std::wstring& exe, int actions, unsigned seed);
int OutOfMemoryTest(const std::wstring& exe, const std::vector<int>& ks);
int KilledRunTest(const std::wstring& exe);
int BrokenRecordTest(const std::wstring& exe);
int DpiTest(const std::wstring& exe);

}  // namespace qm::gui
