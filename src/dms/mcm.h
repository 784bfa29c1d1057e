// The MCM, the DMS's book-keeping at the head of the work array, as the DMS's
// own operations read and write it.
//
// The MCM is three tables of n words (five with secondary storage) with one
// entry per array number: dimension, words per element, first word of the
// primary storage. The entries of the reserved numbers 1 to 10 are the header
// items. Entry j of the table described by reserved number m (6 dimension,
// 7 element size, 8 address, 9 and 10 secondary storage) is W(A(m)+j-1) with
// A(m) = W(W(1)+m). Once names are announced, a name table of 2n words
// follows the tables.
//
// The work array may hold anything. McmView checks once, when it is made,
// that the header, every table and the name table lie inside the
// book-keeping, and that the book-keeping, the next free word and NWIWA fit
// the block; only a sound MCM may be read. Values read from the tables
// (dimensions, element sizes, addresses) are checked where they are used.
#ifndef RAF2SIF_DMS_MCM_H_
#define RAF2SIF_DMS_MCM_H_

#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace dms {

constexpr int32_t kFirstNumber = 11;  // numbers 1 to 10 are the MCM's own

// Header words W(1) .. W(5).
constexpr int64_t kOffsetWord = 1;     // W(W(1)+k) is the address-table entry of k
constexpr int64_t kBookEndWord = 2;    // last word of the book-keeping
constexpr int64_t kErrorWord = 3;      // error counter
constexpr int64_t kUnitWord = 4;       // message unit
constexpr int64_t kNotZeroedWord = 5;  // storage-not-zeroed flag

// Reserved numbers whose address-table entries are header items.
constexpr int32_t kNextFree = 1;
constexpr int32_t kNwiwa = 2;
constexpr int32_t kHighWater = 3;
constexpr int32_t kNameTable = 5;

// Reserved numbers that describe the tables.
constexpr int32_t kDimTable = 6;
constexpr int32_t kSizeTable = 7;
constexpr int32_t kAddrTable = 8;
constexpr int32_t kSec1Table = 9;
constexpr int32_t kSec2Table = 10;

// Name table words NT(1) .. NT(3).
constexpr int32_t kNextImplicit = 1;
constexpr int32_t kCaseSwitch = 2;
constexpr int32_t kHighestNamed = 3;

constexpr int32_t kMaxElementSize = 10;

class McmView {
 public:
  explicit McmView(const io::WorkArray& w);

  // True when the MCM can be read; nothing below may be called otherwise.
  bool sound() const { return sound_; }
  // True when names were announced (a name table exists).
  bool named() const { return names_ != 0; }

  int32_t n() const { return n_; }
  int32_t word(int64_t k) const { return w_.int_at(k); }  // header word, k in 1..10
  // Entry j (1..n) of the table described by reserved number `table`.
  int32_t entry(int32_t table, int32_t j) const { return w_.int_at(at(table, j)); }
  int32_t item(int32_t k) const { return entry(kAddrTable, k); }
  int32_t dim(int32_t j) const { return entry(kDimTable, j); }
  int32_t size(int32_t j) const { return entry(kSizeTable, j); }
  int32_t addr(int32_t j) const { return entry(kAddrTable, j); }
  bool has_table(int32_t table) const { return start_[table - kDimTable] != 0; }

  int32_t next_free() const { return item(kNextFree); }
  int32_t nwiwa() const { return item(kNwiwa); }
  int32_t unit() const { return word(kUnitWord); }
  int32_t errors() const { return word(kErrorWord); }
  int32_t book_end() const { return word(kBookEndWord); }
  bool zeroes_storage() const { return word(kNotZeroedWord) == 0; }

  // Name table word NT(i), i in 1..2n; only when named().
  int32_t nt(int32_t i) const { return w_.int_at(names_ + i - 1); }

 protected:
  int64_t at(int32_t table, int32_t j) const;
  int64_t names_start() const { return names_; }

 private:
  const io::WorkArray& w_;
  bool sound_ = false;
  int32_t n_ = 0;
  int64_t start_[5] = {};  // first words of the tables 6 .. 10; 0 = absent
  int64_t names_ = 0;      // first word of the name table; 0 = absent
};

class Mcm : public McmView {
 public:
  explicit Mcm(io::WorkArray& w) : McmView(w), mw_(w) {}

  io::WorkArray& work() { return mw_; }

  void set_word(int64_t k, int32_t v) { mw_.set_int(k, v); }
  void set_entry(int32_t table, int32_t j, int32_t v) { mw_.set_int(at(table, j), v); }
  void set_item(int32_t k, int32_t v) { set_entry(kAddrTable, k, v); }
  void set_dim(int32_t j, int32_t v) { set_entry(kDimTable, j, v); }
  void set_size(int32_t j, int32_t v) { set_entry(kSizeTable, j, v); }
  void set_addr(int32_t j, int32_t v) { set_entry(kAddrTable, j, v); }

  // The name table, NT(1) .. NT(2n); only when named().
  io::IntView names() { return io::IntView(mw_, names_start(), 2 * int64_t{n()}); }

 private:
  io::WorkArray& mw_;
};

// A number-level error: its message (DMSMSI) on the message unit and one more
// error in the counter W(3) and in ierr. Of a block too small to hold W(3)
// and W(4) only ierr is counted.
void number_error(io::WorkArray& w, int32_t code, int32_t v1, int32_t v2, int32_t v3, int32_t label,
                  int32_t& ierr);

// The same for operations without a status word.
void number_error(io::WorkArray& w, int32_t code, int32_t v1, int32_t v2, int32_t v3,
                  int32_t label);

// A name-level error or follow-up line (DMSMSN), which the message table
// counts in W(3). Only on a sound MCM.
void name_error(Mcm& m, int32_t code, std::string_view name, int32_t value, int32_t label);

}  // namespace dms

#endif  // RAF2SIF_DMS_MCM_H_
