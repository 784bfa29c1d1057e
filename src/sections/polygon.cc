#include "sections/polygon.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <iterator>
#include <string_view>

#include "sections/dimensions.h"
#include "sections/messages.h"

namespace sections {

namespace {

constexpr int kMaxNodes = 200;     // node table; also the plain form's count limit
constexpr int kSubdivisions = 10;  // lumped points per segment
constexpr int kMaxPoints = 500;    // lumped table: 50 segments

// PLYCRO's detail line for each status after kDone.
constexpr std::string_view kRefusals[] = {
    "   Polygon not within 200 nodes and 50 segments",
    "   Polygon description beyond the dimensions given",
    "   Segment end node outside the polygon's nodes",
};

// Checks counts against the tables and the description's extent in cdt.
PolygonStatus fit(int64_t nn, int64_t ne, int64_t extent, std::span<const double> cdt,
                  std::span<const double> y, std::span<const double> t,
                  std::span<const int32_t> ic) {
  if (nn < 0 || ne < 0 || 2 * nn > std::ssize(y) || ne > std::ssize(t) || 2 * ne > std::ssize(ic)) {
    return PolygonStatus::kTooLarge;
  }
  if (extent > std::ssize(cdt)) return PolygonStatus::kBeyondArray;
  return PolygonStatus::kDone;
}

bool plain_count(double v) {
  const int64_t n = nearest(v);
  return n >= 1 && n <= kMaxNodes;
}

}  // namespace

void R4PAIR(double& slot, double& x1, double& x2, int32_t mode) {
  if (mode == 1) {
    slot =
        std::bit_cast<double>(std::array<float, 2>{static_cast<float>(x1), static_cast<float>(x2)});
  } else if (mode == 2) {
    const auto pair = std::bit_cast<std::array<float, 2>>(slot);
    x1 = pair[0];
    x2 = pair[1];
  }
}

PolygonStatus PLYUNP(std::span<double> cdt, std::span<double> y, std::span<double> t,
                     std::span<int32_t> ic, int32_t& nn, int32_t& ne, int32_t mode) {
  if (mode == 2) {
    if (cdt.size() < 2 || !plain_count(cdt[0]) || !plain_count(cdt[1])) {
      return PLYCMP(cdt, y, t, ic, nn, ne, mode);
    }
    nn = static_cast<int32_t>(nearest(cdt[0]));
    ne = static_cast<int32_t>(nearest(cdt[1]));
  } else if (mode != 1) {
    return PolygonStatus::kDone;
  }
  const PolygonStatus status = fit(nn, ne, 2 + 2 * int64_t{nn} + 3 * int64_t{ne}, cdt, y, t, ic);
  if (status != PolygonStatus::kDone) return status;

  // Positions (0-based) of the thicknesses and of the node numbers.
  const std::size_t thick = 2 + 2 * static_cast<std::size_t>(nn);
  const std::size_t nodes = thick + static_cast<std::size_t>(ne);
  if (mode == 1) {
    cdt[0] = nn;
    cdt[1] = ne;
    std::copy_n(y.begin(), 2 * nn, cdt.begin() + 2);
    std::copy_n(t.begin(), ne, cdt.begin() + thick);
    for (int32_t k = 0; k < 2 * ne; ++k) cdt[nodes + k] = ic[k];
  } else {
    std::copy_n(cdt.begin() + 2, 2 * nn, y.begin());
    std::copy_n(cdt.begin() + thick, ne, t.begin());
    for (int32_t k = 0; k < 2 * ne; ++k) ic[k] = saturated(nearest(cdt[nodes + k]));
  }
  return PolygonStatus::kDone;
}

PolygonStatus PLYCMP(std::span<double> cdt, std::span<double> y, std::span<double> t,
                     std::span<int32_t> ic, int32_t& nn, int32_t& ne, int32_t mode) {
  int64_t nodes = nn;
  int64_t segments = ne;
  if (mode == 2) {
    if (cdt.empty()) return PolygonStatus::kBeyondArray;
    double count_nodes = 0.0;
    double count_segments = 0.0;
    R4PAIR(cdt[0], count_nodes, count_segments, 2);
    nodes = nearest(count_nodes);
    segments = nearest(count_segments);
  } else if (mode != 1) {
    return PolygonStatus::kDone;
  }
  const PolygonStatus status = fit(nodes, segments, 1 + nodes + segments, cdt, y, t, ic);
  if (status != PolygonStatus::kDone) return status;
  nn = static_cast<int32_t>(nodes);
  ne = static_cast<int32_t>(segments);

  if (mode == 1) {
    double count_nodes = nn;
    double count_segments = ne;
    R4PAIR(cdt[0], count_nodes, count_segments, 1);
  }
  for (int32_t i = 0; i < nn; ++i) R4PAIR(cdt[1 + i], y[2 * i], y[2 * i + 1], mode);
  for (int32_t j = 0; j < ne; ++j) {
    double code = mode == 1 ? 1000.0 * ic[2 * j] + ic[2 * j + 1] : 0.0;
    R4PAIR(cdt[1 + nn + j], t[j], code, mode);
    if (mode == 2) {
      const int64_t pair = nearest(code);
      ic[2 * j] = saturated(pair / 1000);
      ic[2 * j + 1] = static_cast<int32_t>(pair % 1000);
    }
  }
  return PolygonStatus::kDone;
}

PolygonStatus PLYLMP(std::span<double> cdt, int32_t& np, int32_t nsub, std::span<double> pts) {
  std::array<double, 2 * kMaxNodes> y;
  std::array<double, kMaxNodes> t;
  std::array<int32_t, 2 * kMaxNodes> ic;
  int32_t nn = 0;
  int32_t ne = 0;
  const PolygonStatus status = PLYUNP(cdt, y, t, ic, nn, ne, 2);
  if (status != PolygonStatus::kDone) return status;
  const int32_t per_segment = std::max(nsub, 0);
  if (3 * int64_t{ne} * per_segment > std::ssize(pts)) return PolygonStatus::kTooLarge;
  for (int32_t k = 0; k < 2 * ne; ++k) {
    if (ic[k] < 1 || ic[k] > nn) return PolygonStatus::kBadNode;
  }

  np = ne * per_segment;
  double* point = pts.data();
  for (int32_t j = 0; j < ne; ++j) {
    const double ya = y[2 * (ic[2 * j] - 1)];
    const double za = y[2 * (ic[2 * j] - 1) + 1];
    const double yb = y[2 * (ic[2 * j + 1] - 1)];
    const double zb = y[2 * (ic[2 * j + 1] - 1) + 1];
    const double length = std::sqrt((yb - ya) * (yb - ya) + (zb - za) * (zb - za));
    const double area = length * t[j] / per_segment;
    for (int32_t k = 0; k < per_segment; ++k) {
      *point++ = ya + k * (yb - ya) / per_segment;
      *point++ = za + k * (zb - za) / per_segment;
      *point++ = area;
    }
  }
  return PolygonStatus::kDone;
}

void PLYCRO(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  std::array<double, 3 * kMaxPoints> pts;
  int32_t np = 0;
  const PolygonStatus status = PLYLMP(cdt, np, kSubdivisions, pts);
  if (status != PolygonStatus::kDone) {
    write_refusal(lpu, "PLYCRO", kRefusals[static_cast<int>(status) - 1]);
    ierr = -1;
    return;
  }

  // Sums over the lumped areas, about the axes of the stored coordinates.
  double area = 0.0;
  double iy = 0.0;
  double iz = 0.0;
  double wy = 0.0;
  double wz = 0.0;
  for (int32_t p = 0; p < np; ++p) {
    const double yi = pts[3 * p];
    const double zi = pts[3 * p + 1];
    const double ai = pts[3 * p + 2];
    area += ai;
    iy += ai * zi * zi;
    iz += ai * yi * yi;
    wy += ai * std::abs(yi);
    wz += ai * std::abs(zi);
  }
  sc[0] = area;
  sc[2] = iy;
  sc[3] = iz;
  sc[4] = wy;
  sc[5] = wz;
  sc[1] = std::min(iy, iz) / 10.0;
  sc[6] = area * 0.5;
  sc[7] = area * 0.5;
  sc[8] = std::min(wy, wz) / 10.0;
}

}  // namespace sections
