#pragma once
// A small set of enumerators, as the option and state sets of the component
// use them: include, exclude, test, union, compare.

#include <bitset>
#include <cstddef>
#include <initializer_list>

namespace quorix {

template <typename E, std::size_t N = 64>
class TSet {
 public:
  constexpr TSet() = default;
  TSet(std::initializer_list<E> items) {
    for (E e : items) Include(e);
  }

  bool Contains(E e) const { return bits_.test(Index(e)); }
  TSet& Include(E e) {
    bits_.set(Index(e));
    return *this;
  }
  TSet& Exclude(E e) {
    bits_.reset(Index(e));
    return *this;
  }
  void Clear() { bits_.reset(); }
  bool Empty() const { return bits_.none(); }

  TSet operator+(const TSet& o) const { return TSet(bits_ | o.bits_); }
  TSet operator-(const TSet& o) const { return TSet(bits_ & ~o.bits_); }
  TSet operator*(const TSet& o) const { return TSet(bits_ & o.bits_); }
  TSet& operator+=(const TSet& o) {
    bits_ |= o.bits_;
    return *this;
  }
  TSet& operator-=(const TSet& o) {
    bits_ &= ~o.bits_;
    return *this;
  }
  TSet operator+(E e) const { return TSet(*this).Include(e); }
  TSet operator-(E e) const { return TSet(*this).Exclude(e); }
  bool operator==(const TSet& o) const { return bits_ == o.bits_; }

  // The set as a bit mask, bit i for the enumerator of value i (for stored
  // forms and logging).
  unsigned long long ToMask() const { return bits_.to_ullong(); }
  static TSet FromMask(unsigned long long mask) { return TSet(std::bitset<N>(mask)); }

 private:
  explicit TSet(std::bitset<N> bits) : bits_(bits) {}
  static std::size_t Index(E e) { return static_cast<std::size_t>(e); }
  std::bitset<N> bits_;
};

}  // namespace quorix
