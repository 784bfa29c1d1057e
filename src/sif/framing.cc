#include "sif/framing.h"

#include "sif/record.h"

namespace sif {

using io::SifStyle;

void WSIF_IDENT(int32_t unit) {
  put_record(unit, "IDENT", {1.0, 1.0, 0.0, 0.0}, SifStyle::kPlain);
}

void WSIF_IEND(int32_t unit) {
  put_record(unit, "IEND", {0.0, 0.0, 0.0, 0.0}, SifStyle::kPlain);
}

void write_final_iend_pair(int32_t unit) {
  put_record(unit, "IEND", {1.0, 0.0, 0.0, 0.0}, SifStyle::kScaled);
  put_record(unit, "IEND", {2.0, 0.0, 0.0, 0.0}, SifStyle::kScaled);
}

}  // namespace sif
