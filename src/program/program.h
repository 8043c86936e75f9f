#pragma once
// Program: the one owner of the program state — settings, captions, the link, the selected gateway, the
// connection and edition, the parameter image. The desktop window and gwctl each own one instance; two
// instances in one process never see each other.

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "base/captions.h"
#include "base/clock.h"
#include "base/host.h"
#include "link/link.h"
#include "online/online_context.h"
#include "online/online_tool.h"
#include "pages/page.h"
#include "pages/page_context.h"
#include "pages/page_registry.h"
#include "pages/page_state.h"
#include "pages/record_dialog.h"
#include "paramfile/parametres.h"
#include "program/topic_activation.h"
#include "shell/comm_settings_dialog.h"
#include "shell/connection.h"
#include "shell/gateway_dialogs.h"
#include "shell/gateway_selection.h"
#include "shell/main_window_model.h"
#include "shell/settings.h"

namespace gw {

class Program {
 public:
  // Real transports.
  Program(Clock& clock, Host& host, std::string programFolder);
  // Injected link (scripted devices in tests).
  Program(Clock& clock, Host& host, std::string programFolder, std::unique_ptr<Link> link);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The start-up of the main window's first activation. False when languages.ini is missing: the message has
  // been shown and the program must end.
  bool start();

  // Close-time work that needs no window: the close keys, readers stopped, the link disconnected.
  void closeDown();

  // Language switch: new captions, written to settings.ini at once.
  void setLanguage(Language language);

  // The serial ports offered by the communication settings dialog (the link's port first when set).
  std::vector<std::string> serialPorts() const;
  CommSettingsTarget commSettingsTarget();

  std::string path(const std::string& name) const;
  const std::string& folder() const { return folder_; }
  std::string languagesPath() const;
  std::string settingsPath() const;

  Clock& clock;
  Host& host;
  Settings settings;
  CaptionList captions;
  std::unique_ptr<Link> linkOwner;
  Link& link;
  GatewaySelection selection;
  NewGatewayDialog newGateway;
  GatewayListDialog gatewayList;
  CommSettingsDialog commSettings;
  Connection connection;
  TParametres image;
  // What the pages share (errorList, the modified flags) and what they work with.
  PageState pageState;
  // The record dialogs of the pages: the desktop window plugs its dialog runner in.
  DialogSlot dialogs;
  PageContext pageContext;
  OnlineContext onlineContext;
  int currentTopic = -1;
  // A "Save to gate" first keeps what the gateway holds in the history (the desktop program's setting;
  // gwctl asks for it with --snapshot instead, so nothing extra goes on the wire unless asked).
  bool snapshotBeforeSave = false;
  MainWindowModel window;
  // The topic dispatcher, with the topics built so far.
  TopicActivation topics;

  // The pages of the page registry, in page order.
  std::vector<Page*> pages();
  // A page by its gwctl name ("system"), or nullptr.
  Page* pageNamed(std::string_view name);
  static std::vector<std::string_view> pageNames();
  // The page of a registry row.
  Page& pageOf(const PageRegistration& registration);
  // The page with this identity, or nullptr while the program has no such page.
  Page* pageWithId(PageId id);
  // The one page of that type (tests and the page's own window reach a page's fields through it).
  template <class P>
  P& page() {
    for (Page* p : pages()) {
      if (auto* found = dynamic_cast<P*>(p)) return *found;
    }
    throw std::logic_error("no such page");
  }

  // The one tool of that type.
  template <class T>
  T& tool() {
    for (const std::unique_ptr<OnlineTool>& t : tools_) {
      if (auto* found = dynamic_cast<T*>(t.get())) return *found;
    }
    throw std::logic_error("no such tool");
  }
  // True while an online tool talks to the gateway on its own (the keep-alive stays quiet then).
  bool anyToolKeepsLinkBusy() const;
  // The tool of a registry row.
  OnlineTool& toolOf(const ToolRegistration& registration);

  // A change of the link type: the pages show what may be written over the new link.
  void linkTypeChanged();

  // Every page from the image (after a parameter file was loaded into it).
  void imageToPages();
  // mDefaultClick: every page to its defaults.
  void defaultSettings();

 private:
  void wireHooks();
  void registerTopics();
  void loadGatewayIdentification(const std::string& parameterFile);

  // Parallel to pageRegistry() and toolRegistry().
  std::vector<std::unique_ptr<Page>> pages_;
  std::vector<std::unique_ptr<OnlineTool>> tools_;

  std::string folder_;
};

}  // namespace gw
