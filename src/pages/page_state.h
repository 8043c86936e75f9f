#pragma once
// What the pages share: errorList, the ten modified flags (one per page) and the controls that differ from
// the gateway.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace gw {

enum class PageId { System, Ethernet, Basic, Groups, Outgoing, Incoming, Network, Lcr, Auto, Ext };
inline constexpr std::size_t kPageCount = 10;

class Page;

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

  // The controls of each page whose gateway value differs from the parameter file's, from the last
  // "Compare with gateway"; the page windows mark them.
  const std::vector<std::string>& differing(PageId page) const { return differing_[index(page)]; }
  void setDiffering(PageId page, std::vector<std::string> names) {
    differing_[index(page)] = std::move(names);
  }

  // Runs before a page's "Save to gate" button sends anything; false stops the save (it has said why).
  std::function<bool(Page&)> beforeSaveToGate;

 private:
  static std::size_t index(PageId page) { return static_cast<std::size_t>(page); }
  std::array<bool, kPageCount> flags_{};
  std::array<std::vector<std::string>, kPageCount> differing_{};
};

}  // namespace gw
