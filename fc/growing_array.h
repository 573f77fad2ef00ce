// An array of plain values for the tables that grow with a resync search.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>

namespace fc {

// A vector of plain values that grows by realloc. A big block is moved by its pages, without a
// copy: growing a table of a million lines then costs neither a pass over it nor the faults of
// fresh pages for a copy that is thrown away at once. The memory is kept by clear(), so that a
// later search of the same size touches no new pages. Throws std::bad_alloc as new does.
template <typename T>
class GrowingArray {
  static_assert(std::is_trivially_copyable_v<T>, "moved by realloc");

 public:
  GrowingArray() = default;
  GrowingArray(const GrowingArray&) = delete;
  GrowingArray& operator=(const GrowingArray&) = delete;
  ~GrowingArray() { std::free(data_); }

  size_t size() const { return size_; }
  size_t capacity() const { return capacity_; }
  T& operator[](size_t k) { return data_[k]; }
  const T& operator[](size_t k) const { return data_[k]; }
  T& back() { return data_[size_ - 1]; }
  const T& back() const { return data_[size_ - 1]; }

  void push_back(T value) {
    if (size_ == capacity_) Grow(size_ + 1);
    data_[size_++] = value;
  }
  // Makes room for `count` values, so that an array that is to grow big grows in a few steps.
  void reserve(size_t count) {
    if (count > capacity_) Reallocate(count);
  }
  void clear() { size_ = 0; }

 private:
  void Grow(size_t count) { Reallocate(count > 2 * capacity_ ? count : 2 * capacity_ + 16); }
  void Reallocate(size_t count) {
    void* bigger = std::realloc(data_, count * sizeof(T));
    if (bigger == nullptr) throw std::bad_alloc();
    data_ = static_cast<T*>(bigger);
    capacity_ = count;
  }

  T* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace fc
