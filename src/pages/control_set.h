#pragma once
// The model of a window's controls — a parameter page, a record dialog or an online tool's page: its controls
// by name, its buttons, and the user's edits, which go through here so that every filter, length and reaction
// lives in the model and the Qt window only copies values. The binder of the UI finds each control's widget
// by the same name.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/captions.h"
#include "base/host.h"
#include "pages/fields.h"
#include "shell/connection.h"

namespace gw {

class ControlSet {
 public:
  // The windows (messages), the captions of the current language and the connection (the edition).
  ControlSet(Host& host, const CaptionList& captions, const Connection& connection)
      : host_(host), captions_(captions), connection_(connection) {}
  virtual ~ControlSet() = default;
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;

  // The controls by name.
  virtual std::vector<NamedField> fields() = 0;

  struct Button {
    std::string name;
    std::function<void()> click;
  };
  // The buttons by name, with what a click does.
  virtual std::vector<Button> buttons() { return {}; }

  // The user changed a control: the value is taken (a text filtered and cut as the field takes typed
  // characters), a red mark that is satisfied goes, the change is noted and the model reacts. False when
  // there is no such control of that kind.
  bool editText(std::string_view name, std::string_view text);
  // A drop-down list, a tab control or a radio group.
  bool editChoice(std::string_view name, int index);
  bool editCheck(std::string_view name, bool checked);
  // A spin edit or a track bar.
  bool editNumber(std::string_view name, int value);
  // The user selected a line of a list box or a row of a list view (kNoSelection: none). A selection is not
  // a change of the page.
  bool selectRow(std::string_view name, int row);
  // A key typed into a date or time entry (a digit or kKeyBackspace) at `cursor`, which moves as the entry
  // moves it. False when the key changes nothing (refused, or not such an entry).
  bool typeOver(std::string_view name, char key, int& cursor);
  // The focus leaves a control. False when it has to go back (an invalid IP address, reported to the user).
  bool leaveField(std::string_view name);
  // The user pressed a button. False when there is no such button.
  bool click(std::string_view name);

 protected:
  // A control changed by the user; the model's own reaction (a switch that enables others, ...).
  virtual void edited(std::string_view name) { (void)name; }
  // Any user change: a page sets its modified flag.
  virtual void userChanged() {}
  // Whether a user edit of the control changes the page; a control that only chooses what is shown (a tab
  // control) does not.
  virtual bool changesPage(std::string_view name) const {
    (void)name;
    return true;
  }

  // The check of fields that must not be empty: each empty one is marked. True when none is.
  static bool requireText(std::initializer_list<TextField*> required);
  // An IP address field loses the focus: empty becomes "0.0.0.0"; an invalid address is reported.
  bool ipFieldExit(TextField& field);

  bool kestrin() const { return connection_.kestrinEdition; }

  Host& host_;
  const CaptionList& captions_;
  const Connection& connection_;

 private:
  void changedBy(std::string_view name);
};

}  // namespace gw
