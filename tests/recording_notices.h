// A notice sink for tests: records every notice and answers with queued buttons (OK when none).
#pragma once

#include <deque>
#include <vector>

#include "frame/notices.h"

namespace qm {

class RecordingNotices final : public NoticeSink {
 public:
  struct Shown {
    Notice notice;
    WindowHandle owner;
  };

  RecordingNotices() { SetNoticeSink(this); }
  ~RecordingNotices() override { SetNoticeSink(nullptr); }
  RecordingNotices(const RecordingNotices&) = delete;
  RecordingNotices& operator=(const RecordingNotices&) = delete;

  int Show(Notice n, WindowHandle owner) override {
    shown.push_back({n, owner});
    if (answers.empty()) return kAnswerOk;
    const int a = answers.front();
    answers.pop_front();
    return a;
  }

  int Count(Notice n) const {
    int c = 0;
    for (const Shown& s : shown) c += s.notice == n;
    return c;
  }

  std::vector<Shown> shown;
  std::deque<int> answers;
};

}  // namespace qm
