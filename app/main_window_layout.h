// The main window's controls as designed: one row per control, in creation
// order, which is also the tab order (the Netmarble section, the banner, then
// the Netmarble home-page button and the Nexon section). The window creates,
// scales, shows and dispatches its controls from this table alone.
#pragma once

#include <optional>

#include "actions/game_edition.h"
#include "app/control_ids.h"

namespace varnett {

// Designed place and size of the window (at 96 DPI, like every size below);
// the state rules set the final size.
inline constexpr int kDesignedLeft = 408;
inline constexpr int kDesignedTop = 249;
inline constexpr int kDesignedWidth = 502;
inline constexpr int kDesignedHeight = 357;

enum class ControlRole {
  // A section's controls.
  kTitle,
  kOpenGameFolder,
  kOpenScreenshots,
  kResetGame,
  kDeleteScreenshots,
  kHomePage,
  // The banner and what it holds.
  kBanner,
  kBannerImage,  // the background picture, beneath the rest
  kGreeting,
  kServerName,
  kPicture,
};

// A rectangle relative to the control's parent, at 96 DPI.
struct DesignedRect {
  int left, top, width, height;
  constexpr int bottom() const { return top + height; }
};

struct ControlDesign {
  ControlId id;
  ControlRole role;
  std::optional<GameEdition> edition;  // the section; none for the banner
  const char* caption;                 // UTF-8; shown in CP949
  DesignedRect rect;
};

// The four buttons that need the edition's folder; the state rules disable
// them when it was not found.
inline constexpr bool IsSectionCommand(ControlRole role) {
  return role == ControlRole::kOpenGameFolder || role == ControlRole::kOpenScreenshots ||
         role == ControlRole::kResetGame || role == ControlRole::kDeleteScreenshots;
}
inline constexpr bool IsButton(ControlRole role) {
  return IsSectionCommand(role) || role == ControlRole::kHomePage;
}
// Children of the banner, placed inside it.
inline constexpr bool InBanner(ControlRole role) {
  return role == ControlRole::kBannerImage || role == ControlRole::kGreeting ||
         role == ControlRole::kServerName || role == ControlRole::kPicture;
}

// Section titles are 100 x 30; command buttons 94 x 30, home-page buttons
// 94 x 63.
constexpr DesignedRect TitleAt(int left, int top) { return {left, top, 100, 30}; }
constexpr DesignedRect CommandAt(int left, int top) { return {left, top, 94, 30}; }
constexpr DesignedRect HomeButtonAt(int left, int top) { return {left, top, 94, 63}; }

// clang-format off
inline constexpr ControlDesign kControls[] = {
  {kNetmarbleTitle,             ControlRole::kTitle,             GameEdition::kNetmarble, "넷마블 서든어택", TitleAt(11, 209)},
  {kNetmarbleOpenGameFolder,    ControlRole::kOpenGameFolder,    GameEdition::kNetmarble, "서든폴더 열기",   CommandAt(115, 209)},
  {kNetmarbleOpenScreenshots,   ControlRole::kOpenScreenshots,   GameEdition::kNetmarble, "스크린샷 열기",   CommandAt(212, 209)},
  {kNetmarbleResetGame,         ControlRole::kResetGame,         GameEdition::kNetmarble, "서든어택 초기화", CommandAt(115, 242)},
  {kNetmarbleDeleteScreenshots, ControlRole::kDeleteScreenshots, GameEdition::kNetmarble, "스크린샷 삭제",   CommandAt(212, 242)},
  {kBanner,                     ControlRole::kBanner,            std::nullopt, "",          {11, 36, 492, 164}},
  {kBannerImage,                ControlRole::kBannerImage,       std::nullopt, "",          {1, 1, 490, 162}},
  {kGreeting,                   ControlRole::kGreeting,          std::nullopt,
   "서든어택 도우미입니다. 장시간의 게임은 건강에 해룹습니다. 즐거운 게임을 위해 적당한 휴식을...^^",
                                                                                            {359, 66, 123, 89}},
  {kServerName,                 ControlRole::kServerName,        std::nullopt, "PC방 서버", {386, 3, 74, 20}},
  {kPicture,                    ControlRole::kPicture,           std::nullopt, "",          {1, 1, 352, 162}},
  {kNetmarbleHomePage,          ControlRole::kHomePage,          GameEdition::kNetmarble, "서든어택",        HomeButtonAt(408, 209)},
  {kNexonTitle,                 ControlRole::kTitle,             GameEdition::kNexon,     "넥슨 서든어택",   TitleAt(11, 289)},
  {kNexonOpenGameFolder,        ControlRole::kOpenGameFolder,    GameEdition::kNexon,     "서든폴더 열기",   CommandAt(115, 289)},
  {kNexonOpenScreenshots,       ControlRole::kOpenScreenshots,   GameEdition::kNexon,     "스크린샷 열기",   CommandAt(212, 289)},
  {kNexonResetGame,             ControlRole::kResetGame,         GameEdition::kNexon,     "서든어택 초기화", CommandAt(115, 322)},
  {kNexonDeleteScreenshots,     ControlRole::kDeleteScreenshots, GameEdition::kNexon,     "스크린샷 삭제",   CommandAt(212, 322)},
  {kNexonHomePage,              ControlRole::kHomePage,          GameEdition::kNexon,     "서든어택",        HomeButtonAt(408, 289)},
};
// clang-format on

// The row of `id`, or null.
inline const ControlDesign* DesignOf(int id) {
  for (const ControlDesign& c : kControls)
    if (c.id == id) return &c;
  return nullptr;
}

}  // namespace varnett
