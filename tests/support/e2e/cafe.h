// A café prepared in the test prefix: the hidden folder and the editions'
// install folders, made known through the editions' registry values.
#pragma once

#include <string>

namespace varnett::e2e {

struct Cafe {
  bool netmarble = false;
  bool nexon = false;
  // Where the editions are found: the café's catalogue under the hidden
  // folder, or (without a catalogue) the editions' registry values.
  bool catalogue = false;
  // The Netmarble folder value holds a number instead of text.
  bool netmarble_value_not_text = false;
  // The catalogue's table is cut short by a byte: it cannot be read.
  bool catalogue_damaged = false;
};

// Root of everything the tests create inside the prefix.
inline const std::wstring kRoot = L"C:\\varnett-e2e";

// The information box of a café where neither edition is found.
inline const std::wstring kNotFound =
    L"\r\n게임을 찾을 수 없습니다. 게임의 설치여부를 확인해 주십시오.";

// Creates the folders and sets (or removes) the registry values so the next
// start finds exactly the editions asked for.
void PrepareCafe(const Cafe& cafe);

// Writes the catalogue "<hide>\GameData\GPData.nif" with a record for each
// edition whose folder is given (not empty), after `other_games` records of
// other games (at least one). Texts are UTF-16.
bool WriteCatalogue(const std::wstring& hide, const std::wstring& netmarble_folder,
                    const std::wstring& nexon_folder, int other_games = 1, bool damaged = false);

}  // namespace varnett::e2e
