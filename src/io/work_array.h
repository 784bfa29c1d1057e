// The work array: one block of 4-byte words W(1) .. W(n), seen at once as
// 32-bit integers and as double-precision reals, real p occupying words
// 2p-1 and 2p. Every access goes through memcpy on the one int32_t block, so
// the two views never alias each other in the sense of the language.
//
// Indexes are 1-based like the rest of the system. The accessors do not
// check their index in release builds: callers validate every index that
// comes from a file or from the book-keeping before they use it (see
// has_words / has_reals), and debug and sanitizer builds assert it.
#ifndef RAF2SIF_IO_WORK_ARRAY_H_
#define RAF2SIF_IO_WORK_ARRAY_H_

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace io {

class WorkArray {
 public:
  WorkArray() = default;
  // A view over nwords words owned by the caller (start-up owns the block).
  WorkArray(int32_t* words, int64_t nwords) : data_(words), n_(nwords) {}

  int64_t words() const { return n_; }
  int64_t reals() const { return n_ / 2; }

  // True when words first .. first+count-1 all lie inside the block
  // (count 0 is inside for any first in 1 .. n+1).
  bool has_words(int64_t first, int64_t count) const {
    return first >= 1 && count >= 0 && first <= n_ + 1 && count <= n_ + 1 - first;
  }
  // Same for reals first .. first+count-1 of the double-precision view.
  bool has_reals(int64_t first, int64_t count) const {
    return first >= 1 && count >= 0 && first <= reals() + 1 && count <= reals() + 1 - first;
  }

  int32_t int_at(int64_t k) const {
    assert(k >= 1 && k <= n_);
    return data_[k - 1];
  }
  void set_int(int64_t k, int32_t v) {
    assert(k >= 1 && k <= n_);
    data_[k - 1] = v;
  }
  double real_at(int64_t p) const {
    assert(p >= 1 && p <= reals());
    double v;
    std::memcpy(&v, data_ + 2 * (p - 1), sizeof v);
    return v;
  }
  void set_real(int64_t p, double v) {
    assert(p >= 1 && p <= reals());
    std::memcpy(data_ + 2 * (p - 1), &v, sizeof v);
  }

  // Raw bytes from word k on, for transfers between files and the block.
  std::byte* bytes_at(int64_t k) {
    assert(k >= 1 && k <= n_ + 1);
    return reinterpret_cast<std::byte*>(data_ + (k - 1));
  }
  const std::byte* bytes_at(int64_t k) const {
    assert(k >= 1 && k <= n_ + 1);
    return reinterpret_cast<const std::byte*>(data_ + (k - 1));
  }

 private:
  int32_t* data_ = nullptr;
  int64_t n_ = 0;
};

// A 1-based window of integers over the work array: element k is word
// first + k - 1. This is how an array argument IA(p) is passed on.
class IntView {
 public:
  IntView() = default;
  IntView(WorkArray& wa, int64_t first_word, int64_t size)
      : wa_(&wa), first_(first_word), size_(size) {
    assert(wa.has_words(first_word, size));
  }
  int64_t size() const { return size_; }
  bool has(int64_t k) const { return k >= 1 && k <= size_; }
  int32_t operator()(int64_t k) const {
    assert(has(k));
    return wa_->int_at(first_ + k - 1);
  }
  void set(int64_t k, int32_t v) {
    assert(has(k));
    wa_->set_int(first_ + k - 1, v);
  }
  // Word index in the work array of element k.
  int64_t word(int64_t k) const { return first_ + k - 1; }
  WorkArray& work() const { return *wa_; }

 private:
  WorkArray* wa_ = nullptr;
  int64_t first_ = 1;
  int64_t size_ = 0;
};

// A 1-based window of double-precision reals: element k is real first + k - 1.
class RealView {
 public:
  RealView() = default;
  RealView(WorkArray& wa, int64_t first_real, int64_t size)
      : wa_(&wa), first_(first_real), size_(size) {
    assert(wa.has_reals(first_real, size));
  }
  int64_t size() const { return size_; }
  bool has(int64_t k) const { return k >= 1 && k <= size_; }
  double operator()(int64_t k) const {
    assert(has(k));
    return wa_->real_at(first_ + k - 1);
  }
  void set(int64_t k, double v) {
    assert(has(k));
    wa_->set_real(first_ + k - 1, v);
  }

 private:
  WorkArray* wa_ = nullptr;
  int64_t first_ = 1;
  int64_t size_ = 0;
};

}  // namespace io

#endif  // RAF2SIF_IO_WORK_ARRAY_H_
