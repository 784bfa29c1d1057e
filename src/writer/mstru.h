// The structure parameter table MSTRU in either of its layouts.
//
// Directory layout: word 1 is the (negative) layout flag and word 2 the
// place m of the identifier directory, which follows the values: m is the
// directory's capacity, so that identifier k's value, MSTRU(k), lies before
// it. Words 1 and 2 are also the values of identifiers 1 and 2, which this
// writer names "MSFLAG" and "MSDIRP"; the parameters are identifiers 3 on.
// Fixed layout: 200 words, each parameter at the slot the fixed identifier
// table gives it; parameters the table does not name have no place and are
// left out.
#ifndef RAF2SIF_WRITER_MSTRU_H_
#define RAF2SIF_WRITER_MSTRU_H_

#include <cstdint>
#include <vector>

#include "writer/model.h"

namespace writer {

enum class MstruLayout { kDirectory, kFixed };

struct MstruOptions {
  MstruLayout layout = MstruLayout::kDirectory;
  int32_t flag = -1;   // word 1 of the directory layout
  int32_t unit = 0;    // D(2): the directory's message unit (0: the console)
  int32_t fold = 1;    // D(4): 1 folds identifiers to upper case
  int32_t adding = 1;  // D(5): not 0 lets identifiers be added
  int32_t spare = 16;  // room for identifiers added later
};

// MSTRU for the parameters.
std::vector<int32_t> build_mstru(const std::vector<Parameter>& parameters,
                                 const MstruOptions& options = {});

}  // namespace writer

#endif  // RAF2SIF_WRITER_MSTRU_H_
