#include "tools/writer/archive_writer.h"

#include <zlib.h>

#include <stdexcept>

#include "catalogue/crc32.h"
#include "catalogue/zip_format.h"

namespace varnett {
namespace {

void Put16(std::string& out, uint32_t v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void Put64(std::string& out, uint64_t v) {
  Put32(out, uint32_t(v));
  Put32(out, uint32_t(v >> 32));
}

struct Signatures {
  uint32_t local, central, end;
};

}  // namespace

std::string DeflateRaw(const std::string& data, int level) {
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2");
  std::string out(deflateBound(&z, uLong(data.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = uInt(data.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = uInt(out.size());
  int r = deflate(&z, Z_FINISH);
  deflateEnd(&z);
  if (r != Z_STREAM_END) throw std::runtime_error("deflate");
  out.resize(z.total_out);
  return out;
}

std::string WriteArchive(const std::vector<ArchiveMember>& members, const ArchiveOptions& options) {
  const Signatures sig =
      options.standard_signatures
          ? Signatures{0x04034B50, 0x02014B50, 0x06054B50}
          : Signatures{zip::kLocalSignature, zip::kCentralSignature, zip::kEndSignature};
  std::string out;
  std::string directory;
  for (const ArchiveMember& m : members) {
    std::string packed;
    if (m.compressed) {
      packed = *m.compressed;
    } else if (m.method == 0) {
      packed = m.data;
    } else if (m.method == 8) {
      packed = DeflateRaw(m.data);
    } else {
      throw std::invalid_argument("no encoder for this method");
    }
    const uint32_t crc = m.crc32.value_or(Crc32(m.data.data(), m.data.size()));
    const uint64_t usize = m.uncompressed_size.value_or(m.data.size());
    const uint64_t csize = m.compressed_size.value_or(packed.size());
    const uint64_t offset = out.size();
    const uint16_t flags = uint16_t(m.flags | (m.data_descriptor ? zip::kFlagDataDescriptor : 0));
    const uint16_t needed = m.zip64 ? 45 : 20;

    // Local header.
    std::string local_extra;
    if (m.zip64) {
      Put16(local_extra, zip::kZip64ExtraTag);
      Put16(local_extra, 16);
      Put64(local_extra, m.data_descriptor ? 0 : usize);
      Put64(local_extra, m.data_descriptor ? 0 : csize);
    }
    Put32(out, sig.local);
    Put16(out, needed);
    Put16(out, flags);
    Put16(out, m.method);
    Put32(out, m.dos_date_time);
    Put32(out, m.data_descriptor ? 0 : crc);
    Put32(out, m.zip64 ? 0xFFFFFFFFu : m.data_descriptor ? 0 : uint32_t(csize));
    Put32(out, m.zip64 ? 0xFFFFFFFFu : m.data_descriptor ? 0 : uint32_t(usize));
    Put16(out, uint32_t(m.name.size()));
    Put16(out, uint32_t(local_extra.size()));
    out += m.name;
    out += local_extra;
    out += packed;
    if (m.data_descriptor) {
      if (m.descriptor_signature) Put32(out, 0x08074B50);
      Put32(out, crc);
      if (m.zip64) {
        Put64(out, csize);
        Put64(out, usize);
      } else {
        Put32(out, uint32_t(csize));
        Put32(out, uint32_t(usize));
      }
    }

    // Central header.
    std::string central_extra;
    if (m.zip64) {
      Put16(central_extra, zip::kZip64ExtraTag);
      Put16(central_extra, 24);
      Put64(central_extra, usize);
      Put64(central_extra, csize);
      Put64(central_extra, offset);
    }
    Put32(directory, sig.central);
    Put16(directory, m.version_made_by);
    Put16(directory, needed);
    Put16(directory, flags);
    Put16(directory, m.method);
    Put32(directory, m.dos_date_time);
    Put32(directory, crc);
    Put32(directory, m.zip64 ? 0xFFFFFFFFu : uint32_t(csize));
    Put32(directory, m.zip64 ? 0xFFFFFFFFu : uint32_t(usize));
    Put16(directory, uint32_t(m.name.size()));
    Put16(directory, uint32_t(central_extra.size()));
    Put16(directory, uint32_t(m.comment.size()));
    Put16(directory, 0);  // disk number start
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, m.zip64 ? 0xFFFFFFFFu : uint32_t(offset));
    directory += m.name;
    directory += central_extra;
    directory += m.comment;
  }

  const uint64_t directory_offset = out.size();
  out += directory;
  const uint64_t count = members.size();
  if (options.zip64_end) {
    const uint64_t record_offset = out.size();
    Put32(out, zip::kZip64EndSignature);
    Put64(out, 44);
    Put16(out, 45);
    Put16(out, 45);
    Put32(out, 0);
    Put32(out, 0);
    Put64(out, count);
    Put64(out, count);
    Put64(out, directory.size());
    Put64(out, directory_offset);
    Put32(out, zip::kZip64LocatorSignature);
    Put32(out, 0);
    Put64(out, record_offset);
    Put32(out, 1);
  }
  Put32(out, sig.end);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, options.zip64_end ? 0xFFFF : uint32_t(count));
  Put16(out, options.zip64_end ? 0xFFFF : uint32_t(count));
  Put32(out, options.zip64_end ? 0xFFFFFFFFu : uint32_t(directory.size()));
  Put32(out, options.zip64_end ? 0xFFFFFFFFu : uint32_t(directory_offset));
  Put16(out, uint32_t(options.comment.size()));
  out += options.comment;
  return out;
}

}  // namespace varnett
