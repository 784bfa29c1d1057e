// Constants of a pipe inside a pipe (kind 21): the sum of two tubes.
#ifndef RAF2SIF_SECTIONS_PIPE_IN_PIPE_H_
#define RAF2SIF_SECTIONS_PIPE_IN_PIPE_H_

#include <cstdint>
#include <span>

namespace sections {

// Fills sc(1..9) with the sums of the tube constants of the outer pipe
// (diameter CDT(2), wall CDT(3)) and the inner pipe (CDT(4), CDT(5)); cdt
// holds at least 15 values. Either tube incorrect: its TUBCRO block, then
// the PipnPip block with CDT(1..15) on lpu, ierr = -1.
void PipnPip(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_PIPE_IN_PIPE_H_
