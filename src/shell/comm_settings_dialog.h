#pragma once
// Model of the communication settings dialog (TfCommSettings): link type, serial port, response time and the
// LOG options. The link fields it fills are passed in by reference so this layer does not own the link.

#include <string>
#include <vector>

#include "base/captions.h"
#include "base/host.h"
#include "shell/settings.h"

namespace gw {

// What the dialog reads and changes of the program state.
struct CommSettingsTarget {
  int& linkType;  // 1 serial, 2 LAN
  std::string& portName;
  // The port stored in settings.ini: the user's choice, kept when a failed search emptied portName.
  std::string& storedPort;
  std::vector<std::string>& portList;
  int& timeoutMs;
  bool& appendLog;
  bool& saveLog;
  const std::string& gatewayName;
  std::string settingsPath;
};

class CommSettingsDialog {
 public:
  CommSettingsDialog(Host& host, const CaptionList& captions) : host_(host), captions_(captions) {}

  // Activation: lists the ports, puts the link's port first, selects it and takes the link type.
  void activate(CommSettingsTarget& target, const std::vector<std::string>& serialPorts);

  // Dialog state, bound to the controls.
  int commTypeIndex = 0;           // cbCommType: 0 serial, 1 LAN
  std::vector<std::string> ports;  // cbComPorts items
  int portIndex = -1;
  std::string responseTime = "5000";  // eTimeResponse
  bool saveLog = true;                // cbSaveLog
  bool appendLog = true;              // cbAppendLog

  // Any interaction with the port list marks the choice as touched.
  void touchPorts() { portsTouched_ = true; }
  // A port typed by path (a pseudo-terminal, a device the listing cannot see) joins the list and is chosen.
  void choosePort(const std::string& name);

  // Group caption, label caption and which controls show, by link type.
  struct LinkTypeView {
    int groupCaption;
    int labelCaption;
    bool portsVisible;
    bool responseTimeVisible;
  };
  LinkTypeView linkTypeView() const;

  static bool acceptResponseTimeKey(char c);

  // OK: writes the settings; false (with an error box) when the response time is not a number — the keys
  // before it are written all the same.
  bool ok(CommSettingsTarget& target);
  // Cancel: the LOG check boxes show the link's options again.
  void cancel(const CommSettingsTarget& target);

 private:
  Host& host_;
  const CaptionList& captions_;
  bool portsTouched_ = false;
  bool showsStoredPort_ = false;  // the link had forgotten its port; the stored one is shown
};

}  // namespace gw
