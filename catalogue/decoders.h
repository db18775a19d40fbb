// Decoders of the compression methods a catalogue member may use. Each reads
// through MemberIO::ReadInputByte (stored and deflated data in whole buffers)
// and writes through its output buffer, flushing every 32768 bytes and once at
// its end.
#pragma once

#include <cstdint>

#include "catalogue/member_io.h"

namespace varnett {

// Method 0: the compressed bytes are the member.
void CopyStored(MemberIO& io);
// Method 1: LZW with 9- to 13-bit codes and partial clearing.
void Unshrink(MemberIO& io);
// Methods 2 to 5: follower sets, then the expander with factor 1 to 4.
void Unreduce(MemberIO& io, int factor);
// Method 6: Shannon-Fano trees over a 4 KB or 8 KB window, chosen by the
// general purpose flags.
void Explode(MemberIO& io, uint16_t flags);
// Method 8: raw deflate through zlib. Raises EZCompressionError.
void InflateRaw(MemberIO& io);

}  // namespace varnett
