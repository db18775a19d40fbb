// Games of a café's catalogue, as many as a catalogue needs: the demo café's,
// the start-up benchmark's and the catalogue benchmarks' filler records.
#pragma once

#include <string>

#include "tools/writer/table_stream_writer.h"

namespace varnett {

// The `i`-th game, filled in like a real record (about 250 bytes): one of
// eight Korean games' names with the number after it, so that no game is
// taken for an edition, unless `name` is given instead.
StreamRecord CafeGame(long i, const std::string& name = "");

}  // namespace varnett
