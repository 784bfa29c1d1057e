#include "input.h"

#include "arrays/name_table.h"
#include "io/text.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace fuzz {

namespace {

// Step answers that are not plain numbers: what the dialogue reads as a
// number, as a blank answer, or refuses.
constexpr std::array<std::string_view, 12> kOddSteps = {
    "abc", " 3 ", "+2",  "-0",  "2147483647", "99999999999",
    "3,",  "/",   "1e3", "   ", "0",          "-2147483648",
};

// Appends one answer line; false when the kind ends the input here.
bool step_answer(uint8_t kind, int8_t value, std::string& out) {
  switch (kind % 4) {
    case 0:
      break;
    case 1:
      out += std::to_string(value);
      break;
    case 2:
      out += kOddSteps[static_cast<uint8_t>(value) % kOddSteps.size()];
      break;
    default:
      return false;
  }
  out += '\n';
  return true;
}

}  // namespace

Input split(std::span<const uint8_t> data) {
  Input in;
  if (data.size() < kHeaderSize || data[0] != kMark) {
    in.raf = data;
    return in;
  }
  in.has_header = true;
  in.header.names = data[1];
  in.header.first_kind = data[2];
  in.header.first = static_cast<int8_t>(data[3]);
  in.header.last_kind = data[4];
  in.header.last = static_cast<int8_t>(data[5]);
  in.header.words = static_cast<uint16_t>(data[6] | data[7] << 8);
  in.raf = data.subspan(kHeaderSize);
  return in;
}

void put_header(const Header& h, uint8_t* out) {
  out[0] = kMark;
  out[1] = h.names;
  out[2] = h.first_kind;
  out[3] = static_cast<uint8_t>(h.first);
  out[4] = h.last_kind;
  out[5] = static_cast<uint8_t>(h.last);
  out[6] = static_cast<uint8_t>(h.words & 0xff);
  out[7] = static_cast<uint8_t>(h.words >> 8);
}

std::string answers(const Header& h, const std::string& prefix, const std::string& sif_file) {
  std::string a;
  switch (h.names & 7) {
    case 1:
      a = "   " + prefix;
      break;
    case 2:
      a = prefix + "   ";
      break;
    case 3:
      a = prefix + ".raf";
      break;  // prefix.raf.raf: no such file
    case 4:
      a = "";
      break;
    case 5:
      return a;  // the input ends at once
    default:
      a = prefix;
      break;
  }
  a += '\n';
  switch ((h.names >> 3) & 7) {
    case 1:
      a += sif_file + "   ";  // leading blanks would be part of the name
      break;
    case 2:
      a += "no-such-dir/" + sif_file;  // the SIF file cannot be opened
      break;
    case 3:
      return a;
    default:
      a += sif_file;
      break;
  }
  a += '\n';
  if (step_answer(h.first_kind, h.first, a)) step_answer(h.last_kind, h.last, a);
  return a;
}

std::string requested_array(const Header& h) {
  const std::size_t slot = h.last_kind % arrays::kNameSlots;
  return std::string(
      io::trimmed(arrays::kNameTable.substr(slot * arrays::kNameChars, arrays::kNameChars)));
}

std::optional<int32_t> requested_step(const Header& h) {
  if (h.first_kind % 2 == 1) return h.first;
  return std::nullopt;
}

void write_file(const char* path, std::span<const uint8_t> bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

int32_t work_words(const Header& h, int32_t all) {
  if (h.words == 0) return all;
  return static_cast<int32_t>(std::min<int64_t>(all, int64_t{h.words} * 64));
}

namespace {

class PrivateDir {
 public:
  PrivateDir() {
    std::string dir = (std::filesystem::temp_directory_path() / "raf-fuzzer-XXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr || chdir(dir.c_str()) != 0) std::abort();
    dir_ = dir;
  }
  ~PrivateDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace

void enter_private_dir() {
  static PrivateDir dir;
}

}  // namespace fuzz
