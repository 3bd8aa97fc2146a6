#pragma once
// CDoubleArray: the growable array of doubles in which the reductions keep
// per-station values (traverse angles, corrections, coordinates).
//
// It keeps a size, a capacity and a grow-by step. Every element that growing
// brings in is 0, also when the array grows back over elements it dropped.
// When a size beyond the capacity is needed, the storage is reallocated to the
// larger of that size and capacity + grow-by. A grow-by of 0 (the default)
// lets the array choose its step, its present capacity but at least 4, so that
// adding values one by one stays linear.
//
// Bounds:
// - GetAt returns 0 and SetAt does nothing (returns false) for an index
//   outside the array: use them where an index may be out of range.
// - operator[] and ElementAt check the index in every build; an index outside
//   the array is a programming error and stops the program with a message
//   instead of touching memory that is not the array's.
// - Sizes are limited to kMaxSize elements. An operation that would make the
//   array larger, or that gets a negative size, index or count, changes
//   nothing and returns false; RemoveAt removes only what lies in the array.
#include <memory>

namespace kestrel {

class CDoubleArray {
 public:
  // 2^27 doubles (1 GiB): far beyond any field book, but a damaged count
  // cannot ask for unbounded memory.
  static constexpr int kMaxSize = 1 << 27;

  CDoubleArray() = default;
  CDoubleArray(const CDoubleArray& other);
  CDoubleArray& operator=(const CDoubleArray& other);
  CDoubleArray(CDoubleArray&& other) noexcept;
  CDoubleArray& operator=(CDoubleArray&& other) noexcept;
  ~CDoubleArray() = default;

  int GetSize() const { return size_; }
  int GetCount() const { return size_; }
  int GetUpperBound() const { return size_ - 1; }
  bool IsEmpty() const { return size_ == 0; }
  int GetCapacity() const { return capacity_; }
  int GetGrowBy() const { return growBy_; }

  // Sets the size; new elements are 0. A growBy of 0 or more also sets the
  // grow-by step (-1 keeps it). Size 0 frees the storage.
  bool SetSize(int newSize, int growBy = -1);
  // Drops the capacity beyond the size.
  void FreeExtra();
  // Size 0, storage freed.
  void RemoveAll();

  // 0 outside the array.
  double GetAt(int index) const;
  // False (and nothing changed) outside the array.
  bool SetAt(int index, double value);
  // Checked in every build; see the bounds note above.
  double& ElementAt(int index);
  const double& ElementAt(int index) const;
  double& operator[](int index) { return ElementAt(index); }
  const double& operator[](int index) const { return ElementAt(index); }

  // Sets the element, growing the array first when the index is beyond it.
  bool SetAtGrow(int index, double value);
  // Appends; returns the new element's index, or -1 when the array is full.
  int Add(double value);

  // Inserts `count` copies of `value` before `index`, shifting the rest up;
  // an index at or beyond the end first grows the array to that index.
  bool InsertAt(int index, double value, int count = 1);
  // Inserts the elements of `other` (which may be this array) before
  // `startIndex`, in the same way.
  bool InsertAt(int startIndex, const CDoubleArray& other);
  // Removes up to `count` elements from `index` on; returns how many went.
  int RemoveAt(int index, int count = 1);

  const double* GetData() const { return data_.get(); }
  double* GetData() { return data_.get(); }
  const double* begin() const { return data_.get(); }
  const double* end() const { return data_.get() + size_; }
  double* begin() { return data_.get(); }
  double* end() { return data_.get() + size_; }

 private:
  // Makes room for `newSize` elements by the capacity rule, keeping the
  // present elements; does not change the size.
  void Reserve(int newSize);
  [[noreturn]] static void OutOfRange(int index, int size);

  std::unique_ptr<double[]> data_;
  int size_ = 0;
  int capacity_ = 0;
  int growBy_ = 0;
};

}  // namespace kestrel
