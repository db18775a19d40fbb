// The window's state for each combination of editions found, as the user
// meets it: what works, what shows, where the Nexon rows sit, how tall the
// window is and what the home-page buttons say.
#include "app/window_state.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

namespace varnett {

void PrintTo(const SectionState& s, std::ostream* out) {
  *out << (s.enabled ? "enabled" : "disabled") << (s.visible ? " visible" : " hidden")
       << (s.home_visible ? ", home visible" : ", home hidden") << " raised " << s.raise << " ["
       << Cp949ToUtf8(s.home_caption) << "]";
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
       {{false, true, true, 0, plain},
        {false, true, true, 0, plain},
        372,
        Ko("\r\n게임을 찾을 수 없습니다. 게임의 설치여부를 확인해 주십시오.")}},
      // The Netmarble section alone: the window ends above the Nexon rows,
      // which are hidden with their home-page button.
      {true, false, {{true, true, true, 0, plain}, {false, false, false, 0, plain}, 292, ""}},
      // The Nexon section alone: it takes the Netmarble rows, whose
      // controls are hidden, so it is the one in view; its home-page button
      // stays below the edge, hidden, and the Netmarble one is at the right.
      {false, true, {{false, false, true, 0, plain}, {true, true, false, 80, plain}, 292, ""}},
      // Both: two home-page buttons side by side name their editions.
      {true,
       true,
       {{true, true, true, 0, Ko("넷마블\r\n서든어택\r\n홈페이지")},
        {true, true, true, 0, Ko("넥슨\r\n서든어택\r\n홈페이지")},
        372,
        ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("netmarble ") + (c.netmarble ? "found" : "missing") + ", nexon " +
                 (c.nexon ? "found" : "missing"));
    EXPECT_EQ(StateFor(c.netmarble, c.nexon), c.expected);
  }
}

// The state against the layout table: whatever was found, every control that
// shows lies inside the window and clear of every other one shown beside it,
// and a found edition's commands, and only those, show and work.
TEST(WindowState, ShownControlsFitTheWindowAndDoNotOverlap) {
  for (bool netmarble : {false, true}) {
    for (bool nexon : {false, true}) {
      SCOPED_TRACE(std::string("netmarble ") + (netmarble ? "found" : "missing") + ", nexon " +
                   (nexon ? "found" : "missing"));
      WindowState state = StateFor(netmarble, nexon);
      std::vector<std::pair<const ControlDesign*, ControlState>> shown;
      for (const ControlDesign& c : kControls) {
        ControlState s = StateOf(state, c);
        if (IsSectionCommand(c.role)) {
          bool found = *c.edition == GameEdition::kNetmarble ? netmarble : nexon;
          EXPECT_EQ(s.enabled, found) << c.id;
          if (found) {
            EXPECT_TRUE(s.visible) << c.id;
          }
        }
        if (s.visible && !InBanner(c.role)) shown.emplace_back(&c, s);
      }
      for (size_t i = 0; i < shown.size(); ++i) {
        const DesignedRect& a = shown[i].second.rect;
        EXPECT_LE(a.bottom(), state.height) << "control " << shown[i].first->id;
        for (size_t j = i + 1; j < shown.size(); ++j) {
          const DesignedRect& b = shown[j].second.rect;
          bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                       a.bottom() <= b.top || b.bottom() <= a.top;
          EXPECT_TRUE(apart) << "controls " << shown[i].first->id << " and " << shown[j].first->id;
        }
      }
    }
  }
}

}  // namespace
}  // namespace varnett
