#include "lsq/normal_equations.h"

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>
#include <numeric>

namespace kestrel {

namespace {

class SparseSolver : public NormalSolver {
 public:
  bool Factor(std::size_t size, const std::vector<NormalEntry>& lower) override {
    std::vector<Eigen::Triplet<double, long>> triplets;
    triplets.reserve(lower.size());
    for (const NormalEntry& e : lower) {
      triplets.emplace_back(static_cast<long>(e.row), static_cast<long>(e.column), e.value);
    }
    Eigen::SparseMatrix<double, Eigen::ColMajor, long> matrix(static_cast<long>(size),
                                                              static_cast<long>(size));
    matrix.setFromTriplets(triplets.begin(), triplets.end());
    ldlt_.compute(matrix);
    if (ldlt_.info() != Eigen::Success) return false;
    // A zero pivot leaves a zero (or non-finite) entry in D.
    for (const double d : ldlt_.vectorD()) {
      if (!(std::abs(d) > 0.0) || !std::isfinite(d)) return false;
    }
    return true;
  }

  void Solve(std::vector<double>& rhs) override {
    Eigen::Map<Eigen::VectorXd> b(rhs.data(), static_cast<long>(rhs.size()));
    const Eigen::VectorXd x = ldlt_.solve(b);
    b = x;
  }

 private:
  Eigen::SimplicialLDLT<Eigen::SparseMatrix<double, Eigen::ColMajor, long>, Eigen::Lower> ldlt_;
};

// Union-find over the point table.
class Parts {
 public:
  explicit Parts(std::size_t size) : parent_(size) {
    std::iota(parent_.begin(), parent_.end(), std::size_t{0});
  }
  std::size_t Root(std::size_t i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
  }
  void Join(std::size_t a, std::size_t b) { parent_[Root(a)] = Root(b); }

 private:
  std::vector<std::size_t> parent_;
};

}  // namespace

std::unique_ptr<NormalSolver> MakeSparseSolver() { return std::make_unique<SparseSolver>(); }

std::vector<long> FreeColumns(const Network& network) {
  std::vector<long> columns(network.points.size(), -1);
  long next = 0;
  for (std::size_t i = 0; i < network.points.size(); ++i) {
    if (!network.points[i].fixed) columns[i] = next++;
  }
  return columns;
}

std::vector<std::uint32_t> UntiedPoints(const Network& network) {
  const std::size_t n = network.points.size();
  Parts parts(n);
  for (const NetworkObservation& obs : network.observations) parts.Join(obs.fromIndex, obs.toIndex);
  std::vector<char> tied(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (network.points[i].fixed) tied[parts.Root(i)] = 1;
  }
  std::vector<std::uint32_t> untied;
  for (std::size_t i = 0; i < n; ++i) {
    if (!network.points[i].fixed && !tied[parts.Root(i)])
      untied.push_back(network.points[i].number);
  }
  return untied;
}

std::vector<NormalEntry> NormalMatrix(const Network& network, const std::vector<long>& columns,
                                      const std::vector<double>& weights) {
  std::vector<NormalEntry> lower;
  lower.reserve(network.observations.size() * 3);
  for (std::size_t i = 0; i < network.observations.size(); ++i) {
    const NetworkObservation& obs = network.observations[i];
    const long a = columns[obs.fromIndex];
    const long b = columns[obs.toIndex];
    // A point observed from itself changes no difference.
    if (obs.fromIndex == obs.toIndex) continue;
    const double w = weights[i];
    if (a >= 0) lower.push_back({std::size_t(a), std::size_t(a), w});
    if (b >= 0) lower.push_back({std::size_t(b), std::size_t(b), w});
    if (a >= 0 && b >= 0) {
      lower.push_back({std::size_t(std::max(a, b)), std::size_t(std::min(a, b)), -w});
    }
  }
  return lower;
}

std::vector<double> RightHandSide(const Network& network, const std::vector<long>& columns,
                                  const std::vector<double>& weights,
                                  const std::vector<double>& misclosures, std::size_t freeCount) {
  std::vector<double> u(freeCount, 0.0);
  for (std::size_t i = 0; i < network.observations.size(); ++i) {
    const NetworkObservation& obs = network.observations[i];
    if (obs.fromIndex == obs.toIndex) continue;
    const double wl = weights[i] * misclosures[i];
    if (const long a = columns[obs.fromIndex]; a >= 0) u[std::size_t(a)] += wl;
    if (const long b = columns[obs.toIndex]; b >= 0) u[std::size_t(b)] -= wl;
  }
  return u;
}

long SmallDiagonal(const std::vector<NormalEntry>& lower, std::size_t size, double smallest) {
  std::vector<double> diagonal(size, 0.0);
  for (const NormalEntry& e : lower) {
    if (e.row == e.column) diagonal[e.row] += e.value;
  }
  for (std::size_t k = 0; k < size; ++k) {
    if (!(std::abs(diagonal[k]) >= smallest)) return static_cast<long>(k);
  }
  return -1;
}

}  // namespace kestrel
