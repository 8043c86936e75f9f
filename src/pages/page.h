#pragma once
// A parameter page as a model: its controls (fields()), its five operations and the user's edits. Each page
// derives from Page, declares its controls under their control names and writes its registers as a short
// table; the four buttons ("Load from gate", "Save to gate", "Defaults", "Save to file") are the same for
// all pages and live in page_actions.h.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "pages/error_list.h"
#include "pages/fields.h"
#include "pages/page_context.h"
#include "pages/register_access.h"
#include "paramfile/param_section.h"

namespace gw {

struct PageTraits {
  PageId id;
  ParamSection section;   // what "Save to file" and "Defaults" move
  int fileFailedCaption;  // caption label of the box that reports a failed file write
  bool saveFileClearsModified = true;
};

class Page {
 public:
  Page(const PageContext& context, const PageTraits& traits) : ctx_(context), traits_(traits) {}
  virtual ~Page() = default;
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

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

  // The controls by name.
  virtual std::vector<NamedField> fields() = 0;
  // The edition or the link type changed, or the page is shown: what is hidden or disabled.
  virtual void applyEdition() {}
  virtual void applyLinkType() {}

  const PageTraits& traits() const { return traits_; }
  PageContext& context() { return ctx_; }
  bool modified() const { return ctx_.state.modified(traits_.id); }
  void setModified(bool on = true) { ctx_.state.setModified(traits_.id, on); }

  // The user changed a control: the value is taken (a text cut to the field's length), a red mark that is
  // satisfied goes, the modified flag is set and the page reacts. False when the page has no such control.
  bool editText(std::string_view name, std::string text);
  bool editChoice(std::string_view name, int index);
  bool editCheck(std::string_view name, bool checked);
  bool editNumber(std::string_view name, int value);
  // The focus leaves a control. False when it has to go back (an invalid IP address, reported to the user).
  bool leaveField(std::string_view name);

 protected:
  // A control changed by the user; the page's own reaction (a switch that enables others, ...).
  virtual void edited(std::string_view name) { (void)name; }

  Link& link() { return ctx_.link; }
  bool kestrin() const { return ctx_.kestrinEdition(); }
  std::string& errorList() { return ctx_.state.errorList; }
  void appendError(std::string_view line, Repeat repeat = Repeat::EveryFailure);

  bool readDump(std::string_view command, std::string& dump);
  std::string writeRegister(std::string_view command, std::string_view errorText);
  std::string writeRegister(std::string_view command, const WriteErrors& errors);
  void sendCollectError(std::string_view command, std::string_view errorText);
  std::string fieldOrDefault(const std::vector<std::string>& fields, std::size_t i,
                             std::string_view description, std::string_view fallback,
                             Repeat repeat = Repeat::EveryFailure);
  int numberOrDefault(const std::vector<std::string>& fields, std::size_t i, std::string_view description,
                      int fallback, Repeat repeat = Repeat::EveryFailure);

  // The check of fields that must not be empty: each empty one is marked. True when none is.
  static bool requireText(std::initializer_list<TextField*> required);

  // An IP address field loses the focus: empty becomes "0.0.0.0"; an invalid address is reported.
  bool ipFieldExit(TextField& field);

  std::string defaultsPath() const;

  PageContext ctx_;

 private:
  PageTraits traits_;
};

}  // namespace gw
