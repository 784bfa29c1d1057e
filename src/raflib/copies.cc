#include "raflib/copies.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "raflib/blocks.h"
#include "raflib/key.h"
#include "raflib/machine.h"
#include "raflib/state.h"

namespace raflib {

namespace {

// A whole RAF file in memory with the key values the copies need.
struct Image {
  std::string bytes;
  Key key;
  int32_t version = 0, mfpadr = 0, mfpmax = 0, mfp_records = 0, type = 0;

  int64_t size() const { return static_cast<int64_t>(bytes.size()); }
  char* at(int64_t offset) { return bytes.data() + offset; }
};

int64_t offset_of(int64_t record) {
  return (record - 1) * kRecordBytes;
}

int32_t load(std::string_view path, Image& image) {
  std::ifstream in{std::string(path), std::ios::binary};
  if (!in) return -kMsgCannotOpen;
  image.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad() || image.size() < kKeyChars) return -kMsgCannotRead;
  image.key = std::string_view(image.bytes).substr(0, kKeyChars);
  if (get(image.key, kIdentField) != kIdent) return -kMsgNotRaflib;
  for (const auto& [field, value] :
       {std::pair{kVersionField, &image.version}, std::pair{kTypeNumberField, &image.type},
        std::pair{kMfpAdrField, &image.mfpadr}, std::pair{kMfpMaxField, &image.mfpmax},
        std::pair{kMfpRecordsField, &image.mfp_records}}) {
    if (decode(image.key, field, *value) != 0) return -kMsgDecode;
  }
  if (image.mfpadr <= 1) return -kMsgMfpAdr;
  if (image.mfpmax <= 0) return -kMsgMfpMax;
  if (byte_order(image.type, kCurrentType) != ByteOrder::kSame) return -kMsgCannotReadType;
  return 0;
}

int32_t save(std::string_view path, Image& image) {
  std::copy_n(image.key.view().data(), kKeyChars, image.bytes.data());
  std::ofstream out{std::string(path), std::ios::binary | std::ios::trunc};
  if (!out) return -kMsgCannotOpen;
  out.write(image.bytes.data(), static_cast<std::streamsize>(image.bytes.size()));
  out.close();
  return out ? 0 : -kMsgCannotWrite;
}

// Reverses the bytes of each whole element of `size` bytes within `length`
// bytes from `offset` on, as far as the image holds them.
void reverse_elements(Image& image, int64_t offset, int64_t length, int size) {
  if (offset >= image.size()) return;
  const int64_t n = std::min(length, image.size() - offset) / size;
  for (char* e = image.at(offset); e != image.at(offset) + n * size; e += size) {
    std::reverse(e, e + size);
  }
}

int32_t word_at(Image& image, int64_t offset) {
  int32_t w;
  std::memcpy(&w, image.at(offset), sizeof w);
  return w;
}

}  // namespace

int32_t write_foreign_order_copy(std::string_view from, std::string_view to,
                                 int32_t computer_type) {
  if (byte_order(computer_type, kCurrentType) != ByteOrder::kReversed) return -kMsgCannotWriteType;
  Image image;
  if (const int32_t rc = load(from, image); rc != 0) return rc;
  // Arrays already reversed, by address: two entries may share their data.
  std::set<int32_t> reversed;
  constexpr int kEntryBytes = kWordsPerEntry * kBytesPerWord;
  const int32_t blocks = mfp_blocks(image.mfpmax);
  for (int32_t b = 1; b <= blocks; ++b) {
    const int64_t first = offset_of(image.mfpadr + int64_t{kRecordsPerBlock} * (b - 1));
    if (first >= image.size()) break;
    const int64_t bytes = std::min<int64_t>(
        int64_t{block_words(image.mfp_records, b)} * kBytesPerWord, image.size() - first);
    for (int64_t e = first; e + kEntryBytes <= first + bytes; e += kEntryBytes) {
      const int32_t address = word_at(image, e);
      const int32_t type = word_at(image, e + kBytesPerWord);
      const int32_t allocated = word_at(image, e + 2 * kBytesPerWord);
      const int size = unit_size(type);
      if (address > 0 && allocated > 0 && size > 1 && reversed.insert(address).second) {
        reverse_elements(image, offset_of(address), int64_t{allocated} * size, size);
      }
    }
    reverse_elements(image, first, bytes, kBytesPerWord);
  }
  put(image.key, kTypeNumberField, computer_type);
  put(image.key, kTypeNameField, computer_type_name(computer_type));
  return save(to, image);
}

int32_t write_version0_copy(std::string_view from, std::string_view to) {
  Image image;
  if (const int32_t rc = load(from, image); rc != 0) return rc;
  if (image.version < 1) return -kMsgTooOld;
  constexpr int kEntryBytes = kWordsPerEntry * kBytesPerWord;
  const int32_t last = image.mfpmax / kEntriesPerBlock;
  auto entry64 = [&](int32_t block) {
    return image.at(offset_of(image.mfpadr + int64_t{kRecordsPerBlock} * (block - 1)) +
                    (kBlockWords - kWordsPerEntry) * kBytesPerWord);
  };
  if (last >= 2) {
    const int64_t end = offset_of(image.mfpadr + int64_t{kRecordsPerBlock} * last);
    if (end > image.size()) return -kMsgCannotRead;
    static constexpr char kNone[kEntryBytes] = {};
    if (std::memcmp(entry64(last), kNone, kEntryBytes) != 0 &&
        std::memcmp(entry64(last), entry64(last - 1), kEntryBytes) != 0) {
      return -1;
    }
    for (int32_t k = last - 1; k >= 1; --k) std::memcpy(entry64(k + 1), entry64(k), kEntryBytes);
    std::memset(entry64(1), 0, kEntryBytes);
  }
  put(image.key, kVersionField, 0);
  put(image.key, kRevisionField, 0);
  put(image.key, kRecordLengthField, "");
  return save(to, image);
}

}  // namespace raflib
