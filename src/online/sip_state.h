#pragma once
// The SIP registration state (pSipReg): for every mobility extension of the gateway its name, its user and
// whether it is registered, read from the extension listing every 5 s while the page shows. "Register
// again" asks the gateway to register every extension anew. The page changes nothing on the gateway's
// table.
//
// The poll never overlaps another exchange: a tick does nothing while the poll's own refresh or "Register
// again" runs (sipRegBusy), nor while any other action talks to the gateway (an exchange waits, or the
// progress window holds the link). A failed refresh stops the poll and says so once.

#include <string>
#include <vector>

#include "online/online_tool.h"
#include "pages/ext_listing.h"

namespace gw {

inline constexpr int kSipRegPollMs = 5000;
// Names and users are padded to this many characters in the view.
inline constexpr std::size_t kSipRegColumnWidth = 47;

// The view: a header of the name, user and registration words (labels 450, 451, 453) with the first two
// padded to kSipRegColumnWidth, a line of "-" as long, then one line per extension in table order (its
// name and user padded, then label 453 or 454). A part a row lacks is left out of its line. UTF-8; a text
// is padded by characters, not bytes.
std::string sipStateView(const CaptionList& captions, const std::vector<ListedExtension>& extensions);

class SipStateTool : public OnlineTool {
 public:
  explicit SipStateTool(const OnlineContext& context);

  TextField memSipReg;

  std::vector<NamedField> fields() override { return {{"memSipReg", &memSipReg}}; }
  std::vector<Button> buttons() override;
  // On a connected gateway: a refresh at once, then the poll.
  bool enter() override;
  void leave() override { polling_ = false; }
  int tickIntervalMs() const override { return kSipRegPollMs; }
  void tick() override { tSipRegTimer(); }

  // One refresh at once, as a tick, then the poll runs.
  void sipRegStart();
  // A tick of the poll: a refresh unless the poll is off or the link is taken; a failed one reports.
  void tSipRegTimer();
  // Collects the listing and rebuilds the view; false (the view as it was, the poll stopped) when the
  // listing could not be read.
  bool sipRegLoad();
  // Stops the poll and shows label 56 under the error caption.
  void sipRegLoadError();
  // "Register again": the gateway registers every extension anew ("AT&m=reg"), then a refresh (label 66)
  // and the poll runs again.
  void btnSipRegClick();

  // The extensions of the last listing that could be read.
  const std::vector<ListedExtension>& listed() const { return listed_; }

  // The poll runs (tSipReg enabled).
  bool polling() const { return polling_; }
  bool keepsLinkBusy() const override { return polling(); }
  // A refresh or "Register again" is talking to the gateway.
  bool sipRegBusy() const { return busy_; }

 private:
  // Another action has the link: an exchange waits, or a page or transfer holds it under its progress.
  bool linkTaken() const;
  void show(int label, int caption, MessageKind kind);

  bool polling_ = false;
  bool busy_ = false;
  std::vector<ListedExtension> listed_;
};

const FormLayout& sipStatePageLayout();

}  // namespace gw
