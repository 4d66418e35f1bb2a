#pragma once
// Opaque operating-system handles as the logic sees them, and a small owner for them.

namespace platform {

using WindowHandle = void*;

// Owns one handle and hands it to Close exactly once, on every path.
template <typename Handle, void (*Close)(Handle)>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle h) : h_(h) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = o.h_;
      o.h_ = nullptr;
    }
    return *this;
  }
  ~Owned() { reset(); }
  void reset(Handle h = nullptr) {
    if (h_) Close(h_);
    h_ = h;
  }
  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  Handle h_ = nullptr;
};

}  // namespace platform
