#include "support/packed_files.h"

#include <zlib.h>
#include <zstd.h>

namespace modelcheck::testing {

std::string Gzip(const std::string& bytes) {
  z_stream stream{};
  deflateInit2(&stream, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);  // + 16: a gzip member
  std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())) + 32, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

std::string Zstd(const std::string& bytes) {
  ZSTD_CCtx* context = ZSTD_createCCtx();
  ZSTD_CCtx_setParameter(context, ZSTD_c_checksumFlag, 1);
  std::string out(ZSTD_compressBound(bytes.size()), '\0');
  out.resize(ZSTD_compress2(context, out.data(), out.size(), bytes.data(), bytes.size()));
  ZSTD_freeCCtx(context);
  return out;
}

std::string NpyFile(const std::string& type, const std::string& shape, const std::string& data, bool fortran_order) {
  std::string header = "{'descr': '" + type + "', 'fortran_order': " + (fortran_order ? "True" : "False") +
                       ", 'shape': " + shape + ", }";
  while ((10 + header.size() + 1) % 64 != 0) header += ' ';
  header += '\n';
  std::string out = "\x93NUMPY\x01";
  out += '\0';
  out += static_cast<char>(header.size() & 0xFF);
  out += static_cast<char>(header.size() >> 8);
  return out + header + data;
}

}  // namespace modelcheck::testing
