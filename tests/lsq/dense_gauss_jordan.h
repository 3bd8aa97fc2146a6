#pragma once
// The normal equations solved the long way: N held dense (n × n, row-major),
// inverted in place by Gauss-Jordan elimination without pivoting, and N⁻¹
// multiplied into the right-hand side. O(n³) time and n² memory; the tests
// and the benchmark compare the sparse factorisation with it.
#include <cmath>
#include <memory>
#include <vector>

#include "lsq/normal_equations.h"

namespace kestrel::testing {

class DenseGaussJordan : public NormalSolver {
 public:
  bool Factor(std::size_t size, const std::vector<NormalEntry>& lower) override {
    n_ = size;
    inverse_.assign(n_ * n_, 0.0);
    for (const NormalEntry& e : lower) {
      inverse_[e.row * n_ + e.column] += e.value;
      if (e.row != e.column) inverse_[e.column * n_ + e.row] += e.value;
    }
    for (std::size_t k = 0; k < n_; ++k) {
      if (std::fabs(At(k, k)) < 1e-7) return false;
    }
    for (std::size_t k = 0; k < n_; ++k) {
      const double pivot = At(k, k);
      for (std::size_t j = 0; j < n_; ++j) {
        if (j != k) At(k, j) /= pivot;
      }
      At(k, k) = 1.0 / pivot;
      for (std::size_t i = 0; i < n_; ++i) {
        if (i == k) continue;
        const double factor = At(i, k);
        for (std::size_t j = 0; j < n_; ++j) {
          if (j != k) At(i, j) -= factor * At(k, j);
        }
        At(i, k) = -factor * At(k, k);
      }
    }
    return true;
  }

  void Solve(std::vector<double>& rhs) override {
    std::vector<double> x(n_, 0.0);
    for (std::size_t k = 0; k < n_; ++k) {
      for (std::size_t j = 0; j < n_; ++j) x[k] += At(k, j) * rhs[j];
    }
    rhs = std::move(x);
  }

 private:
  double& At(std::size_t i, std::size_t j) { return inverse_[i * n_ + j]; }
  std::size_t n_ = 0;
  std::vector<double> inverse_;
};

inline NormalSolverFactory DenseSolver() {
  return [] { return std::make_unique<DenseGaussJordan>(); };
}

}  // namespace kestrel::testing
