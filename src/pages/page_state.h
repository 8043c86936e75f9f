#pragma once
// What the pages share: errorList and the ten modified flags, one per page.

#include <array>
#include <cstddef>
#include <string>

namespace gw {

enum class PageId { System, Ethernet, Basic, Groups, Outgoing, Incoming, Network, Lcr, Auto, Ext };
inline constexpr std::size_t kPageCount = 10;

struct PageState {
  // One text for every page operation: cleared before it starts, one line per failed item.
  std::string errorList;

  bool modified(PageId page) const { return flags_[index(page)]; }
  void setModified(PageId page, bool on = true) { flags_[index(page)] = on; }
  bool anyModified() const {
    for (bool f : flags_) {
      if (f) return true;
    }
    return false;
  }
  void clearAllModified() { flags_.fill(false); }

 private:
  static std::size_t index(PageId page) { return static_cast<std::size_t>(page); }
  std::array<bool, kPageCount> flags_{};
};

}  // namespace gw
