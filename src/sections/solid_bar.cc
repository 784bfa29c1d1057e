#include "sections/solid_bar.h"

#include "sections/dimensions.h"

namespace sections {

namespace {

// The items a solid bar sets.
constexpr int kBarItems[] = {1, 2, 3, 4, 5, 6, 7, 8, 14};

// Round bar of diameter d, with pi = 3.1415926535.
void round_bar(double d, std::span<double, 20> sc) {
  sc[0] = d * d * 0.785398163375;
  sc[1] = d * d * d * d * 0.098174770421875;
  sc[2] = sc[1] * 0.5;  // half the polar moment about each axis
  sc[3] = sc[2];
  sc[4] = d * d * d * 0.16666666666666666;
  sc[5] = sc[4];
  sc[6] = 12.0 * sc[1] / (d * d);
  sc[7] = sc[6];
  sc[13] = d * 3.1415926535;
}

void rectangular_bar(double a, double b, std::span<double, 20> sc) {
  sc[0] = a * b;
  sc[1] = a * a * b * b * 0.03125;
  sc[2] = a * a * a * b / 12.0;
  sc[3] = a * b * b * b / 12.0;
  sc[4] = b * a * a / 6.0;
  sc[5] = a * b * b / 6.0;
  sc[6] = 0.5 * a * b;
  sc[7] = sc[6];
  sc[13] = 2.0 * (a + b);
}

}  // namespace

void BARCRO(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr) {
  if (!holds(cdt, 1, 1, "BARCRO", lpu, ierr)) return;
  switch (nearest(cdt[0])) {
    case 1:
      if (holds(cdt, 1, 2, "BARCRO", lpu, ierr)) round_bar(cdt[1], sc);
      break;
    case 2:
      if (holds(cdt, 1, 3, "BARCRO", lpu, ierr)) rectangular_bar(cdt[1], cdt[2], sc);
      break;
    default:
      for (const int item : kBarItems) sc[item - 1] = 0.0;
      break;
  }
}

}  // namespace sections
