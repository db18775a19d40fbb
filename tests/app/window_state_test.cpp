// The window's state for each combination of editions found, as the user
// meets it: what works, what shows, where the Nexon rows sit, how tall the
// window is and what the home-page buttons say.
#include "app/window_state.h"

#include <gtest/gtest.h>

#include <ostream>

namespace varnett {

void PrintTo(const SectionState& s, std::ostream* out) {
  *out << (s.enabled ? "enabled" : "disabled") << (s.visible ? " visible" : " hidden") << " raised "
       << s.raise << " [" << Cp949ToUtf8(s.home_caption) << "]";
}
void PrintTo(const WindowState& s, std::ostream* out) {
  *out << "netmarble ";
  PrintTo(s.netmarble, out);
  *out << ", nexon ";
  PrintTo(s.nexon, out);
  *out << ", height " << s.height << ", notice [" << Cp949ToUtf8(s.notice) << "]";
}

namespace {

TEST(WindowState, FollowsWhichEditionsWereFound) {
  const std::string plain = Ko("서든어택");
  struct Case {
    bool netmarble, nexon;
    WindowState expected;
  } cases[] = {
      // Nothing to open: both sections stay in view without their commands,
      // the home pages still work, and the user is told first.
      {false,
       false,
       {{false, true, 0, plain},
        {false, true, 0, plain},
        372,
        Ko("\r\n게임을 찾을 수 없습니다. 게임의 설치여부를 확인해 주십시오.")}},
      // The Netmarble section alone: the window ends above the Nexon rows.
      {true, false, {{true, true, 0, plain}, {false, true, 0, plain}, 292, ""}},
      // The Nexon section alone: it takes the Netmarble rows, whose
      // controls are hidden, so it is the one in view.
      {false, true, {{false, false, 0, plain}, {true, true, 80, plain}, 292, ""}},
      // Both: two home-page buttons side by side name their editions.
      {true,
       true,
       {{true, true, 0, Ko("넷마블\r\n서든어택\r\n홈페이지")},
        {true, true, 0, Ko("넥슨\r\n서든어택\r\n홈페이지")},
        372,
        ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("netmarble ") + (c.netmarble ? "found" : "missing") + ", nexon " +
                 (c.nexon ? "found" : "missing"));
    EXPECT_EQ(StateFor(c.netmarble, c.nexon), c.expected);
  }
}

}  // namespace
}  // namespace varnett
