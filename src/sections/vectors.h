// Small operations on double-precision arrays of M*N values (an M by N matrix
// stored by columns counts as one vector of M*N values). Each does nothing
// when M*N <= 0 and touches no more values than its arrays hold.
#ifndef RAF2SIF_SECTIONS_VECTORS_H_
#define RAF2SIF_SECTIONS_VECTORS_H_

#include <cstdint>
#include <span>

namespace sections {

// A(1..M*N) = VAL.
void RVFILL(std::span<double> a, int32_t m, int32_t n, double val);

// B(i) = A(i) when ISIGN >= 0, else -A(i).
void RVCOPY(std::span<const double> a, std::span<double> b, int32_t m, int32_t n, int32_t isign);

// C(i) = A(i) + B(i) when ISIGN >= 0, else A(i) - B(i); C may be A.
void RVADD(std::span<const double> a, std::span<const double> b, std::span<double> c, int32_t m,
           int32_t n, int32_t isign);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_VECTORS_H_
