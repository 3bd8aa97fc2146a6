#include "survey/double_array.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/printf_format.h"

namespace kestrel {

CDoubleArray::CDoubleArray(const CDoubleArray& other) : growBy_(other.growBy_) {
  if (other.size_ > 0) {
    data_ = std::make_unique_for_overwrite<double[]>(other.size_);
    std::copy(other.begin(), other.end(), data_.get());
    size_ = capacity_ = other.size_;
  }
}

CDoubleArray& CDoubleArray::operator=(const CDoubleArray& other) {
  if (this != &other) {
    CDoubleArray copy(other);
    *this = std::move(copy);
  }
  return *this;
}

CDoubleArray::CDoubleArray(CDoubleArray&& other) noexcept
    : data_(std::move(other.data_)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      growBy_(other.growBy_) {}

CDoubleArray& CDoubleArray::operator=(CDoubleArray&& other) noexcept {
  if (this != &other) {
    data_ = std::move(other.data_);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    growBy_ = other.growBy_;
  }
  return *this;
}

void CDoubleArray::Reserve(int newSize) {
  if (newSize <= capacity_) return;
  const long long step = growBy_ > 0 ? growBy_ : std::max(4, capacity_);
  const long long wanted = std::max<long long>(newSize, capacity_ + step);
  const int newCapacity = static_cast<int>(std::min<long long>(wanted, kMaxSize));
  auto grown = std::make_unique_for_overwrite<double[]>(newCapacity);
  std::copy(begin(), end(), grown.get());
  data_ = std::move(grown);
  capacity_ = newCapacity;
}

bool CDoubleArray::SetSize(int newSize, int growBy) {
  if (newSize < 0 || newSize > kMaxSize) return false;
  if (growBy >= 0) growBy_ = growBy;
  if (newSize == 0) {
    RemoveAll();
    return true;
  }
  Reserve(newSize);
  // Elements dropped by an earlier shrink may still sit in the storage.
  if (newSize > size_) std::fill(data_.get() + size_, data_.get() + newSize, 0.0);
  size_ = newSize;
  return true;
}

void CDoubleArray::FreeExtra() {
  if (size_ == capacity_) return;
  if (size_ == 0) {
    RemoveAll();
    return;
  }
  auto fitted = std::make_unique_for_overwrite<double[]>(size_);
  std::copy(begin(), end(), fitted.get());
  data_ = std::move(fitted);
  capacity_ = size_;
}

void CDoubleArray::RemoveAll() {
  data_.reset();
  size_ = 0;
  capacity_ = 0;
}

double CDoubleArray::GetAt(int index) const {
  return (index >= 0 && index < size_) ? data_[index] : 0.0;
}

bool CDoubleArray::SetAt(int index, double value) {
  if (index < 0 || index >= size_) return false;
  data_[index] = value;
  return true;
}

double& CDoubleArray::ElementAt(int index) {
  if (index < 0 || index >= size_) OutOfRange(index, size_);
  return data_[index];
}

const double& CDoubleArray::ElementAt(int index) const {
  if (index < 0 || index >= size_) OutOfRange(index, size_);
  return data_[index];
}

void CDoubleArray::OutOfRange(int index, int size) {
  std::fputs(
      Sprintf("CDoubleArray: index %d outside an array of %d elements\n", index, size).c_str(),
      stderr);
  std::abort();
}

bool CDoubleArray::SetAtGrow(int index, double value) {
  if (index < 0 || index >= kMaxSize) return false;
  if (index >= size_ && !SetSize(index + 1)) return false;
  data_[index] = value;
  return true;
}

int CDoubleArray::Add(double value) {
  const int index = size_;
  return SetAtGrow(index, value) ? index : -1;
}

bool CDoubleArray::InsertAt(int index, double value, int count) {
  if (index < 0 || count < 0) return false;
  if (count == 0) return true;
  const long long end = std::max(index, size_);
  if (end + count > kMaxSize) return false;

  const int oldSize = size_;
  if (index >= oldSize) {
    SetSize(index + count);  // zeros up to the index
  } else {
    SetSize(oldSize + count);
    std::copy_backward(data_.get() + index, data_.get() + oldSize, data_.get() + oldSize + count);
  }
  std::fill(data_.get() + index, data_.get() + index + count, value);
  return true;
}

bool CDoubleArray::InsertAt(int startIndex, const CDoubleArray& other) {
  if (&other == this) {
    const CDoubleArray copy(other);
    return InsertAt(startIndex, copy);
  }
  if (startIndex < 0) return false;
  if (other.size_ == 0) return true;
  if (!InsertAt(startIndex, 0.0, other.size_)) return false;
  std::copy(other.begin(), other.end(), data_.get() + startIndex);
  return true;
}

int CDoubleArray::RemoveAt(int index, int count) {
  if (index < 0 || count <= 0 || index >= size_) return 0;
  const int removed = std::min(count, size_ - index);
  std::copy(data_.get() + index + removed, end(), data_.get() + index);
  size_ -= removed;
  return removed;
}

}  // namespace kestrel
