#pragma once
// Models of the gateway list dialog (TfGatewayList), the new/edit gateway dialog (TfNewGateway) and the IP
// entry dialog (TfInsertIp). The Qt windows bind their controls to these; gwctl drives them directly.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/captions.h"
#include "base/host.h"
#include "shell/gateway_selection.h"

namespace gw {

class NewGatewayDialog {
 public:
  enum class Mode { New, Edit };

  NewGatewayDialog(GatewaySelection& selection, Host& host, const CaptionList& captions);

  // Fills the dialog for a new gateway: name "Gate", ports "23" and "2222", the proposed parameter file.
  void openNew();
  // Fills the dialog from the gateway's section; false when there is none.
  bool openEdit(const std::string& name);
  // Fills the dialog with given fields (the LAN connect's request for an address).
  void open(Mode mode, const GatewayFields& fields);

  Mode mode() const { return mode_; }
  // Caption 98 in new mode, 99 in edit mode.
  int captionIndex() const;
  GatewayFields& fields() { return fields_; }
  const GatewayFields& fields() const { return fields_; }

  // The name field changed: propose program folder/name/name.ini unless the file was chosen by hand.
  void nameChanged(const std::string& name);
  // A key typed into the parameter file or firmware port field, or a file picked with the browse button.
  void fileChosenByHand() { fileByHand_ = true; }
  bool fileIsByHand() const { return fileByHand_; }

  // Leaving the address field: an invalid address shows caption 480 and keeps the focus there (false).
  bool leaveAddress();

  // OK: the checks in order, each failure shown with its caption; on success the section is written, the
  // gateway folder created and true returned (the dialog closes).
  bool ok();

  // Whether the last successful OK also changed the selected gateway's record.
  bool changedSelected() const { return changedSelected_; }
  // Set by the LAN connect: the confirmed record becomes the selected gateway.
  void setAdoptOnOk(bool adopt) { adoptOnOk_ = adopt; }

 private:
  bool fail(int caption);

  GatewaySelection& selection_;
  Host& host_;
  const CaptionList& captions_;
  Mode mode_ = Mode::New;
  GatewayFields fields_;
  std::string editedName_;
  bool fileByHand_ = false;
  bool changedSelected_ = false;
  bool adoptOnOk_ = false;
};

class GatewayListDialog {
 public:
  GatewayListDialog(GatewaySelection& selection, NewGatewayDialog& editor, Host& host,
                    const CaptionList& captions);

  // Reads the section names of gtws.ini.
  void activate();
  const std::vector<std::string>& items() const { return items_; }
  int selectedIndex() const { return selected_; }
  void setSelectedIndex(int index) { selected_ = index; }

  void newGateway();
  // False without a selected item.
  bool editGateway();
  // Called after the editor's OK: the list shows the new or edited name.
  void editorAccepted();
  bool removeGateway();
  // Asks first: one click would lose every gateway record. False when the user said No.
  bool removeAll();
  bool selectGateway();
  // Select, then the Connect command.
  bool connectGateway();

  std::function<void()> connectCommand;

 private:
  std::optional<std::string> selectedName() const;

  GatewaySelection& selection_;
  NewGatewayDialog& editor_;
  Host& host_;
  const CaptionList& captions_;
  std::vector<std::string> items_;
  int selected_ = -1;
};

// The IP entry dialog of the LAN firmware upgrade.
class InsertIpDialog {
 public:
  InsertIpDialog(Host& host, const CaptionList& captions) : host_(host), captions_(captions) {}

  std::string address;   // Edit1
  std::string user;      // Edit2
  std::string password;  // Edit3
  std::string port;      // Edit4

  static bool acceptAddressKey(char c);
  static bool acceptDigitsKey(char c);
  // OK: an invalid address shows caption 480, empties the address and keeps the dialog open (false).
  bool ok();

 private:
  Host& host_;
  const CaptionList& captions_;
};

}  // namespace gw
