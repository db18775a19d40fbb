// Writes the benchmark catalogues: KIND is "records" (N game records like a
// café's, the Nexon edition's record last so that a lookup reads them all) or
// "null" (N records whose twenty values are all null, the smallest a stream
// holds). Writes OUT.nif (the catalogue's signatures), OUT.zip (standard
// signatures, for Info-ZIP) and OUT.dat (the member itself).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "text/conversions.h"
#include "tools/writer/archive_writer.h"
#include "tools/writer/cafe_games.h"
#include "tools/writer/catalogue_writer.h"

namespace {

using namespace varnett;

const std::string kKey = Ko("넥슨서든어택");

// The stream written in pieces: a stream of no records gives the head and the
// tail, and each piece of records contributes what lies between them, so
// that millions of records never sit in memory as values.
std::string WriteStream(bool null_records, long n) {
  const std::string empty = WriteGameCatalogue({});
  const size_t tail = 1;  // the record list's end marker
  std::string stream = empty.substr(0, empty.size() - tail);
  constexpr long kPiece = 20000;
  for (long first = 0; first < n; first += kPiece) {
    std::vector<StreamRecord> records;
    for (long i = first; i < n && i < first + kPiece; ++i) {
      // The Nexon edition's record last, so that a lookup reads them all.
      records.push_back(null_records ? GameRecord({}) : CafeGame(i, i == n - 1 ? kKey : ""));
    }
    const std::string piece = WriteGameCatalogue(records);
    stream.append(piece, empty.size() - tail, piece.size() - empty.size());
  }
  stream += empty.substr(empty.size() - tail);
  return stream;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_catalogue records|null N OUT\n");
    return 2;
  }
  const std::string kind = argv[1];
  const long n = std::atol(argv[2]);
  const std::string out = argv[3];
  ArchiveMember m;
  m.name = "Game.dat";
  m.data = WriteStream(kind == "null", n);
  m.compressed = DeflateRaw(m.data, 6);
  std::ofstream(out + ".dat", std::ios::binary) << m.data;
  std::ofstream(out + ".nif", std::ios::binary) << WriteArchive({m});
  ArchiveOptions standard;
  standard.standard_signatures = true;
  std::ofstream(out + ".zip", std::ios::binary) << WriteArchive({m}, standard);
  return 0;
}
