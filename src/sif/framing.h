// The records that frame the SIF file: IDENT at its head, the IEND that closes
// the model, and the IEND pair that ends the file.
#ifndef RAF2SIF_SIF_FRAMING_H_
#define RAF2SIF_SIF_FRAMING_H_

#include <cstdint>

namespace sif {

// "IDENT   " with 1.0, 1.0, 0.0, 0.0, plain style. Never fails.
void WSIF_IDENT(int32_t unit);

// The model-closing "IEND    " with four zeros, plain style. Never fails.
void WSIF_IEND(int32_t unit);

// The two records that end the file, scaled style: "IEND    " with 1.0, 0.0,
// 0.0, 0.0, then with 2.0, 0.0, 0.0, 0.0.
void write_final_iend_pair(int32_t unit);

}  // namespace sif

#endif  // RAF2SIF_SIF_FRAMING_H_
