#pragma once
// A parameter page as a model: its controls (fields()), its five operations and the user's edits. Each page
// derives from Page, declares its controls under their control names, and writes its registers and its
// image copies as tables (register_rows.h, image_rows.h); the four buttons ("Load from gate", "Save to gate",
// "Defaults", "Save to file") are the same for all pages and live in page_actions.h.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "pages/control_set.h"
#include "pages/error_list.h"
#include "pages/page_context.h"
#include "pages/register_access.h"
#include "pages/register_rows.h"
#include "paramfile/param_section.h"

namespace gw {

struct PageTraits {
  PageId id;
  SectionMask section;      // what "Save to file" and "Defaults" move (the LCR page moves two sections)
  int fileFailedCaption;   // caption label of the box that reports a failed file write
  const char* buttonStem;  // the page's part of its button names: "System" gives sbSystemLoad, ...
  bool saveFileClearsModified = true;
  bool hasDefaults = true;  // the page shows a "Defaults" button
};

// The four buttons every page has, named after the page.
struct PageButtonNames {
  std::string load;      // "Load from gate"
  std::string save;      // "Save to gate"
  std::string defaults;  // "Defaults"
  std::string saveFile;  // "Save to file"
};
PageButtonNames pageButtonNames(const PageTraits& traits);

class Page : public ControlSet {
 public:
  Page(const PageContext& context, const PageTraits& traits)
      : ControlSet(context.host, context.captions, context.connection), ctx_(context), traits_(traits) {}

  // Gateway to page: reads the dump(s), fills the fields and copies them into the image. False when the
  // first dump could not be read; every failure is a line of errorList.
  virtual bool load() = 0;
  // Page to gateway, register by register; what counts is errorList.
  virtual void save() = 0;
  // Marks each bad field; true when all are good. Pages without a check pass.
  virtual bool valid() { return true; }
  // Page to image and image to page.
  virtual void saveFile() = 0;
  virtual void loadFile() = 0;
  // The page's section of defaults.ini (built-in defaults without the file) into the image and the fields;
  // sets the modified flag. Pages whose "Defaults" does more or less override it.
  virtual void loadDefaults();

  // What the page's own tables name that it lacks (controls, format fields): empty for a sound page.
  virtual std::vector<std::string> tableProblems() = 0;

  // The four page buttons; a page with more buttons adds its own to these.
  std::vector<Button> buttons() override;

  // The edition or the link type changed, or the page is shown: what is hidden or disabled.
  virtual void applyEdition() {}
  virtual void applyLinkType() {}
  // The page's topic was chosen and the page is about to show: what the page does each time it appears.
  virtual void pageShown() {}

  const PageTraits& traits() const { return traits_; }
  PageContext& context() { return ctx_; }
  bool modified() const { return ctx_.state.modified(traits_.id); }
  void setModified(bool on = true) { ctx_.state.setModified(traits_.id, on); }

 protected:
  void userChanged() override { setModified(); }

  Link& link() { return ctx_.link; }
  std::string& errorList() { return ctx_.state.errorList; }
  void appendError(std::string_view line, Repeat repeat = Repeat::EveryFailure);

  bool readDump(std::string_view command, std::string& dump, std::size_t capacity = kReplyBufferSize);
  std::string writeRegister(std::string_view command, std::string_view errorText);
  std::string writeRegister(std::string_view command, const WriteErrors& errors);
  void sendCollectError(std::string_view command, std::string_view errorText);
  std::string fieldOrDefault(const std::vector<std::string>& fields, std::size_t i,
                             std::string_view description, std::string_view fallback,
                             Repeat repeat = Repeat::EveryFailure);
  int numberOrDefault(const std::vector<std::string>& fields, std::size_t i, std::string_view description,
                      int fallback, Repeat repeat = Repeat::EveryFailure);

  // A register table against this page's controls: from a dump, and to the gateway.
  void loadRegisters(const RegisterTable& table, std::string_view dump);
  void saveRegisters(const RegisterTable& table);

  std::string defaultsPath() const;

  PageContext ctx_;

 private:
  PageTraits traits_;
};

}  // namespace gw
