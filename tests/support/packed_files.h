// Series files as other tools write them: gzip members, zstd frames with
// the content checksum the zstd program writes, and NumPy .npy files
// (version 1.0, the header padded to 64 bytes as numpy.save pads it).
#pragma once

#include <string>

namespace modelcheck::testing {

std::string Gzip(const std::string& bytes);
std::string Zstd(const std::string& bytes);

// `type` as NumPy spells it ("<f8", ">i2"), `shape` as Python writes it ("(3,)").
std::string NpyFile(const std::string& type, const std::string& shape, const std::string& data,
                    bool fortran_order = false);

}  // namespace modelcheck::testing
