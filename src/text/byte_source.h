// The bytes of a series file as a stream: a file descriptor (a regular
// file, a named pipe, standard input) or memory, and gzip or zstd data
// decoded on the way.
//
// Read fills the span with the next bytes and returns how many, 0 only at
// the end; a short count says nothing about the end (pipes deliver what they
// have). Failures throw SeriesReadError naming the source: a read error, and
// for compressed data damage or an early end (a truncated download must not
// read as a shorter series).
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/series_reader.h"

namespace modelcheck {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::size_t Read(std::span<char> out) = 0;
  // The number of line ends still to come, when that can be known without
  // consuming the stream (an uncompressed regular file); lets a reader
  // reserve its values once.
  virtual std::optional<std::size_t> LineEndsAhead() { return std::nullopt; }
  // The bytes still to come, when the source knows (a regular file, memory).
  virtual std::optional<std::size_t> BytesAhead() const { return std::nullopt; }
  // True when every read returns without waiting on another process (a
  // regular file, memory), so a reader thread can always be stopped.
  virtual bool NeverWaits() const { return false; }
};

// Opens `path` for reading; kCannotOpen names the system's reason. `name`
// is how messages name the file.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path, const std::string& name);

// Standard input, left open when the source ends.
std::unique_ptr<ByteSource> StandardInputSource(const std::string& name);

// The bytes of `memory`, which must outlive the source.
std::unique_ptr<ByteSource> MemorySource(std::string_view memory);

// A source that first gives `prefix`, then the rest of `source`.
std::unique_ptr<ByteSource> PrefixedSource(std::string prefix, std::unique_ptr<ByteSource> source);

// Reads until `out` is full or the source ends; returns how many were read.
std::size_t ReadFully(ByteSource& source, std::span<char> out);

// `source` read ahead on a thread of its own, a few blocks in front of the
// caller, so that decoding and parsing run side by side; the bytes and the
// failures come in the same order as from `source` itself. For sources that
// never wait, so that the thread can always be stopped.
std::unique_ptr<ByteSource> ReadAheadSource(std::unique_ptr<ByteSource> source);

// `raw` decoded when it starts with gzip or zstd magic bytes (then
// `compression` says which; a file is decoded ahead of its reader),
// otherwise `raw` itself. Refuses other
// compressed or archive formats with a line saying what they are.
std::unique_ptr<ByteSource> DecodedSource(std::unique_ptr<ByteSource> raw, const std::string& name,
                                          Compression& compression);

}  // namespace modelcheck
