// IndexIterator: a random-access iterator over a container that answers its elements by
// value through operator[](size_t), as containers that keep their elements in another
// shape than they read back do (points as separate arrays, or as floats read as doubles).
//
// It holds the container's address and an index; the container must outlive it, and
// iterators compare by index alone (both must come from one container).
#pragma once

#include <compare>
#include <cstddef>
#include <iterator>

namespace orlo {

template <typename Container, typename Value>
class IndexIterator {
 public:
  using iterator_category = std::random_access_iterator_tag;
  using value_type = Value;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = Value;

  IndexIterator() = default;
  IndexIterator(const Container* container, size_t index)
      : container_(container), index_(static_cast<std::ptrdiff_t>(index)) {}

  Value operator*() const { return (*container_)[static_cast<size_t>(index_)]; }
  Value operator[](std::ptrdiff_t offset) const { return *(*this + offset); }
  IndexIterator& operator+=(std::ptrdiff_t offset) {
    index_ += offset;
    return *this;
  }
  IndexIterator& operator-=(std::ptrdiff_t offset) { return *this += -offset; }
  IndexIterator& operator++() { return *this += 1; }
  IndexIterator& operator--() { return *this -= 1; }
  IndexIterator operator++(int) {
    IndexIterator before = *this;
    ++*this;
    return before;
  }
  IndexIterator operator--(int) {
    IndexIterator before = *this;
    --*this;
    return before;
  }
  friend IndexIterator operator+(IndexIterator at, std::ptrdiff_t by) { return at += by; }
  friend IndexIterator operator+(std::ptrdiff_t by, IndexIterator at) { return at += by; }
  friend IndexIterator operator-(IndexIterator at, std::ptrdiff_t by) { return at -= by; }
  friend std::ptrdiff_t operator-(const IndexIterator& a, const IndexIterator& b) {
    return a.index_ - b.index_;
  }
  bool operator==(const IndexIterator& other) const { return index_ == other.index_; }
  auto operator<=>(const IndexIterator& other) const { return index_ <=> other.index_; }

 private:
  const Container* container_ = nullptr;
  std::ptrdiff_t index_ = 0;
};

}  // namespace orlo
