// The fuzz targets' input: a header of a few bytes, the run's dialogue
// answers and work space, in front of a RAF file. An input that does not
// begin with the header's mark (a RAF file as it is, such as a regression
// file) is all RAF file, run with the default answers.
//
//   byte 0     '!', the mark
//   byte 1     prefix and output name: low 3 bits the prefix answer, the
//              next 3 the output name answer (kinds below)
//   byte 2, 3  first step: kind, value (a signed byte)
//   byte 4, 5  last step: kind, value
//   byte 6, 7  work space in units of 64 words, little-endian; 0 = the
//              harness's whole block
// The inspector and reader targets read bytes 2 and 3 as the step of the
// array they ask for and byte 4 as which array (requested_array below).
#ifndef RAF2SIF_FUZZ_INPUT_H_
#define RAF2SIF_FUZZ_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace fuzz {

inline constexpr std::size_t kHeaderSize = 8;
inline constexpr uint8_t kMark = '!';

struct Header {
  uint8_t names = 0;
  uint8_t first_kind = 0, last_kind = 0;
  int8_t first = 0, last = 0;
  uint16_t words = 0;  // units of 64 words; 0 = all
  bool operator==(const Header&) const = default;
};

struct Input {
  Header header;
  bool has_header = false;
  std::span<const uint8_t> raf;
};

Input split(std::span<const uint8_t> data);
void put_header(const Header& h, uint8_t* out);  // kHeaderSize bytes

// The console input the header answers the dialogue with: the prefix (the
// RAF file is prefix.raf), the output name, the first and the last step, each
// line ended by a line feed. The answer kinds may end the input early, give
// the prefix with blanks around it, the name with trailing blanks or in a
// folder that does not exist, and the steps as numbers or as text a step
// number does not expect.
std::string answers(const Header& h, const std::string& prefix, const std::string& sif_file);

// What the inspector and reader targets ask for: the array in the slot of
// the converter's name table that byte 4 names ("" for a blank slot), for
// the step of byte 3 when byte 2 is odd (else none: the first step for the
// inspector, the stored-once record for the reader).
std::string requested_array(const Header& h);
std::optional<int32_t> requested_step(const Header& h);

// Writes bytes as the file path, replacing it.
void write_file(const char* path, std::span<const uint8_t> bytes);

// The work space in words for a block of `all` words.
int32_t work_words(const Header& h, int32_t all);

// Makes a private directory under the temporary directory (TMPDIR, else
// /tmp) the working directory, once per process, and removes it at exit:
// the targets and the mutator write their files there.
void enter_private_dir();

}  // namespace fuzz

#endif  // RAF2SIF_FUZZ_INPUT_H_
