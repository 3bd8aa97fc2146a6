#pragma once
// The normal equations of one coordinate component, N x = u, and how they
// are solved. N = Aᵀ W A, where the design matrix A has a row per observation
// with +1 in the column of its station and -1 in the column of its point
// (free points only), so N is as sparse as the network: a free point's row
// holds its own total weight and the weights shared with the points it is
// observed with. N does not depend on the coordinates, so it is factorised
// once and solved again for every pass.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lsq/network.h"

namespace kestrel {

// One entry of N; entries at the same place add up. Only the lower triangle
// (row >= column) is given.
struct NormalEntry {
  std::size_t row = 0, column = 0;
  double value = 0.0;
};

// Factorises a symmetric N and solves with it.
class NormalSolver {
 public:
  virtual ~NormalSolver() = default;
  // False when N cannot be factorised (singular).
  virtual bool Factor(std::size_t size, const std::vector<NormalEntry>& lower) = 0;
  // rhs is replaced by N⁻¹ rhs.
  virtual void Solve(std::vector<double>& rhs) = 0;
};

using NormalSolverFactory = std::function<std::unique_ptr<NormalSolver>()>;

// The sparse LDLᵀ factorisation (Eigen's SimplicialLDLT with a
// fill-reducing ordering).
std::unique_ptr<NormalSolver> MakeSparseSolver();

// The free points' columns: the rank of each point among the free points in
// table order, -1 for a fixed point.
std::vector<long> FreeColumns(const Network& network);

// The numbers of the free points that no chain of observations ties to a
// fixed point, in table order: each such part of the network can move as a
// whole, and N is singular.
std::vector<std::uint32_t> UntiedPoints(const Network& network);

// The lower triangle of N for one component's weights (one per observation).
std::vector<NormalEntry> NormalMatrix(const Network& network, const std::vector<long>& columns,
                                      const std::vector<double>& weights);
// u = Aᵀ W l.
std::vector<double> RightHandSide(const Network& network, const std::vector<long>& columns,
                                  const std::vector<double>& weights,
                                  const std::vector<double>& misclosures, std::size_t freeCount);

// The free column whose diagonal element of N is below `smallest`, or -1.
long SmallDiagonal(const std::vector<NormalEntry>& lower, std::size_t size, double smallest);

}  // namespace kestrel
