#include "tools/writer/cafe_games.h"

#include "text/conversions.h"
#include "tools/writer/catalogue_writer.h"

namespace varnett {

StreamRecord CafeGame(long i, const std::string& name) {
  static const std::string names[] = {Ko("서든어택"),     Ko("넥슨서든어택"), Ko("리그오브레전드"),
                                      Ko("배틀그라운드"), Ko("메이플스토리"), Ko("던전앤파이터"),
                                      Ko("로스트아크"),   Ko("피파온라인4")};
  static const std::string genres[] = {"FPS", Ko("액션"), "RPG", Ko("스포츠")};
  const std::string number = std::to_string(i);
  const std::string folder = "C:\\Games\\" + names[i % 8] + "\\" + number;
  return GameRecord({
      {"Game", name.empty() ? names[i % 8] + " " + number : name},
      {"MPath", folder},
      {"DPath", "D:\\PLX\\Games\\" + number},
      {"Root", "C:"},
      {"PRPath", "SOFTWARE\\Publisher\\Game" + number},
      {"PSub", "1"},
      {"InsRPath", "SOFTWARE\\Publisher\\Game" + number + "\\Install"},
      {"InsRName", "RootPath"},
      {"DGenre", genres[i % 4]},
      {"GGenre", genres[(i + 1) % 4]},
      {"Rank", std::to_string(i % 100)},
      {"PDay", "30"},
      {"Patch", "Y"},
      {"Expireday", "0"},
  });
}

}  // namespace varnett
