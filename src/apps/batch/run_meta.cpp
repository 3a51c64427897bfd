#include "apps/batch/run_meta.h"

#include <openssl/evp.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>
#include <stdexcept>

#include "apps/batch/json_fields.h"

namespace modelcheck {

namespace {

using Digest = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

// The value's bytes, least significant first, on any machine.
std::array<unsigned char, 8> LittleEndianBytes(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  std::array<unsigned char, 8> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
  return bytes;
}

}  // namespace

std::string Sha256OfValues(std::span<const double> values) {
  const Digest context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("cannot start a SHA-256 digest");
  // In chunks, so that the bytes are turned around once per chunk, not per call.
  std::array<unsigned char, 8 * 4096> chunk{};
  for (std::size_t first = 0; first < values.size(); first += 4096) {
    const std::size_t count = std::min<std::size_t>(4096, values.size() - first);
    for (std::size_t i = 0; i < count; ++i) {
      const auto bytes = LittleEndianBytes(values[first + i]);
      std::memcpy(chunk.data() + 8 * i, bytes.data(), bytes.size());
    }
    if (EVP_DigestUpdate(context.get(), chunk.data(), 8 * count) != 1)
      throw std::runtime_error("cannot compute a SHA-256 digest");
  }
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int length = 0;
  if (EVP_DigestFinal_ex(context.get(), digest.data(), &length) != 1)
    throw std::runtime_error("cannot finish a SHA-256 digest");
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (unsigned int i = 0; i < length; ++i) {
    text += kHex[digest[i] >> 4];
    text += kHex[digest[i] & 0xF];
  }
  return text;
}

std::string UtcTimestamp(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  std::array<char, 32> text{};
  const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
  return std::string(text.data(), length);
}

RunMeta MakeRunMeta(int argc, const char* const* argv, std::span<const double> series,
                    std::chrono::system_clock::time_point started) {
  RunMeta meta;
  for (int i = 0; i < argc; ++i) meta.command_line.emplace_back(argv[i]);
  meta.started = UtcTimestamp(started);
  meta.series_sha256 = Sha256OfValues(series);
  return meta;
}

nlohmann::ordered_json RunMetaJson(const RunMeta& meta, const ScanSettings& settings, const std::string& file,
                                   std::size_t values) {
  return nlohmann::ordered_json{{"program", "modelcheck-batch"},
                                {"version", MODELCHECK_VERSION},
                                {"command_line", meta.command_line},
                                {"started", meta.started},
                                {"series", {{"file", file}, {"values", values}, {"sha256", meta.series_sha256}}},
                                {"settings", ScanSettingsJson(settings)}};
}

}  // namespace modelcheck
