// What the main window looks like once the editions have been looked for:
// which section buttons work, which controls show, where the Nexon section
// sits, the window's height and the home-page captions. Decided here alone,
// as data, so the rules are read and tested in one place; the window only
// applies them, once, before it is first drawn.
#pragma once

#include <string>

#include "app/main_window_layout.h"
#include "text/conversions.h"

namespace varnett {

// Sizes in designed (96-DPI) pixels.
inline constexpr int kWindowWidth = 528;  // outer, whatever was found
inline constexpr int kFullHeight = 372;   // outer, both sections in view
inline constexpr int kShortHeight = 292;  // outer, the upper section only
inline constexpr int kNexonShift = 80;    // the Nexon rows into the Netmarble ones

// One edition's section: its title label, four command buttons and
// home-page button.
struct SectionState {
  bool enabled = true;       // the four command buttons
  bool visible = true;       // the title label and the four command buttons
  bool home_visible = true;  // the home-page button
  int raise = 0;             // pixels the label and command buttons move up
  std::string home_caption;  // the home-page button's caption
};

struct WindowState {
  SectionState netmarble;
  SectionState nexon;
  int height = kFullHeight;
  // An information box shown before the window appears; empty for none.
  std::string notice;
};

inline bool operator==(const SectionState& a, const SectionState& b) {
  return a.enabled == b.enabled && a.visible == b.visible && a.home_visible == b.home_visible &&
         a.raise == b.raise && a.home_caption == b.home_caption;
}
inline bool operator==(const WindowState& a, const WindowState& b) {
  return a.netmarble == b.netmarble && a.nexon == b.nexon && a.height == b.height &&
         a.notice == b.notice;
}

// A section whose edition was not found keeps its place but not its
// commands; with one edition the window shows only the upper rows, so the
// Nexon section takes the Netmarble rows when it is the one found. What then
// lies below the window's lower edge is hidden as well: a hidden control
// takes no click, and no Tab, arrow key or mnemonic reaches it. That leaves
// the Netmarble home-page button in view in both short layouts. The
// three-line captions name the edition only when both buttons could be
// meant.
inline WindowState StateFor(bool netmarble_found, bool nexon_found) {
  WindowState state;
  state.netmarble.enabled = netmarble_found;
  state.nexon.enabled = nexon_found;
  state.netmarble.home_caption = state.nexon.home_caption = Ko("서든어택");
  if (netmarble_found && nexon_found) {
    state.netmarble.home_caption = Ko("넷마블\r\n서든어택\r\n홈페이지");
    state.nexon.home_caption = Ko("넥슨\r\n서든어택\r\n홈페이지");
  } else if (!netmarble_found && !nexon_found) {
    state.notice = Ko("\r\n게임을 찾을 수 없습니다. 게임의 설치여부를 확인해 주십시오.");
  } else {
    state.height = kShortHeight;
    state.nexon.home_visible = false;
    if (nexon_found) {
      state.netmarble.visible = false;
      state.nexon.raise = kNexonShift;
    } else {
      state.nexon.visible = false;
    }
  }
  return state;
}

// What a state makes of one control of the layout: whether it shows and
// works, and where it sits (designed pixels, relative to its parent).
struct ControlState {
  bool visible = true;
  bool enabled = true;
  DesignedRect rect = {};
  std::string caption;  // for a home-page button; empty: the designed one stays
};

inline ControlState StateOf(const WindowState& state, const ControlDesign& control) {
  ControlState result;
  result.rect = control.rect;
  if (!control.edition) return result;  // the banner always shows
  const SectionState& section =
      *control.edition == GameEdition::kNetmarble ? state.netmarble : state.nexon;
  if (control.role == ControlRole::kHomePage) {
    result.visible = section.home_visible;
    result.caption = section.home_caption;
    return result;
  }
  result.visible = section.visible;
  result.enabled = !IsSectionCommand(control.role) || section.enabled;
  result.rect.top -= section.raise;
  return result;
}

}  // namespace varnett
