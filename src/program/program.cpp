#include "program/program.h"

#include "base/caption_ids.h"
#include "base/files.h"
#include "base/program_folder.h"
#include "link/serial_port_list.h"
#include "online/online_tool.h"
#include "paramfile/parameter_file.h"
#include "program/compare_command.h"
#include "program/whole_transfers.h"
#include "shell/captions_file.h"
#include "shell/edition.h"

namespace gw {

Program::Program(Clock& clockRef, Host& hostRef, std::string programFolder)
    : Program(clockRef, hostRef, std::move(programFolder), std::make_unique<Link>(clockRef)) {}

Program::Program(Clock& clockRef, Host& hostRef, std::string programFolder, std::unique_ptr<Link> linkPtr)
    : clock(clockRef),
      host(hostRef),
      linkOwner(std::move(linkPtr)),
      link(*linkOwner),
      selection(programFolder, hostRef, captions),
      newGateway(selection, hostRef, captions),
      gatewayList(selection, newGateway, hostRef, captions),
      commSettings(hostRef, captions),
      connection(link, selection, newGateway, hostRef, captions),
      pageContext{link, connection, selection, hostRef, captions, image, pageState, &dialogs},
      onlineContext{clockRef, link, connection, selection, hostRef, captions, &window, &dialogs},
      topics(*this, window),
      folder_(std::move(programFolder)) {
  for (const PageRegistration& row : pageRegistry()) pages_.push_back(row.make(pageContext));
  wireHooks();
  registerTopics();
}

Program::~Program() {
  link.closeLog();
}

std::string Program::path(const std::string& name) const {
  return joinPath(folder_, name);
}
std::string Program::languagesPath() const {
  return path(kLanguagesFile);
}
std::string Program::settingsPath() const {
  return path(kSettingsFile);
}

std::vector<Page*> Program::pages() {
  std::vector<Page*> all;
  for (const std::unique_ptr<Page>& page : pages_) all.push_back(page.get());
  return all;
}

std::vector<std::string_view> Program::pageNames() {
  std::vector<std::string_view> names;
  for (const PageRegistration& row : pageRegistry()) names.push_back(row.cliName);
  return names;
}

Page& Program::pageOf(const PageRegistration& registration) {
  const std::vector<PageRegistration>& rows = pageRegistry();
  return *pages_.at(static_cast<std::size_t>(&registration - rows.data()));
}

Page* Program::pageWithId(PageId id) {
  for (Page* page : pages()) {
    if (page->traits().id == id) return page;
  }
  return nullptr;
}

Page* Program::pageNamed(std::string_view name) {
  const PageRegistration* row = registrationNamed(name);
  return row != nullptr ? &pageOf(*row) : nullptr;
}

bool Program::anyToolKeepsLinkBusy() const {
  for (const std::unique_ptr<OnlineTool>& tool : tools_) {
    if (tool->keepsLinkBusy()) return true;
  }
  return false;
}

OnlineTool& Program::toolOf(const ToolRegistration& registration) {
  const std::vector<ToolRegistration>& rows = toolRegistry();
  return *tools_.at(static_cast<std::size_t>(&registration - rows.data()));
}

void Program::linkTypeChanged() {
  for (Page* page : pages()) page->applyLinkType();
}

void Program::imageToPages() {
  gw::imageToPages(*this);
}

void Program::defaultSettings() {
  gw::defaultSettings(*this);
}

void Program::registerTopics() {
  for (const PageRegistration& row : pageRegistry()) {
    Page& page = pageOf(row);
    topics.setPageTopic(row.topicCaption, row.layout().name, [&page] {
      page.applyLinkType();
      page.pageShown();
    });
  }
  for (const ToolRegistration& row : toolRegistry()) {
    tools_.push_back(row.make(onlineContext));
    OnlineTool& tool = *tools_.back();
    const int caption = row.topicCaption;
    if (row.pageName != nullptr) {
      topics.setPageTopic(
          caption, row.pageName, [&tool] { tool.enter(); }, [&tool] { tool.leave(); },
          [&tool] { return tool.showsPage(); });
      continue;
    }
    topics.setHandler(caption, {[this, &tool, caption, titled = row.titled] {
                                  if (titled) topics.enterTitle(caption);
                                  return tool.enter();
                                },
                                [&tool] { tool.leave(); }});
  }
}

void Program::wireHooks() {
  selection.hooks.loadParameterFile = [this](const std::string& file) { loadGatewayIdentification(file); };
  selection.hooks.defaultSettings = [this] { defaultSettings(); };
  selection.hooks.unnamedDefaults = [this] { defaultSettings(); };
  // The open link belongs to the gateway selected before: close it, so the window never shows one gateway
  // while talking to another.
  selection.hooks.beforeChange = [this] {
    if (link.comm.connected || link.comm.portHandle || link.tcpActive()) connection.disconnectCommand();
  };
  selection.hooks.changed = [this] { connection.showDisconnected(); };
  pageState.beforeSaveToGate = [this](Page& page) { return keepBeforeSave(*this, {&page}, false); };
  gatewayList.connectCommand = [this] { connection.connectCommand(); };
  connection.hooks.linkStateChanged = [this](bool connected) {
    window.linkStateChanged(connected);
    if (!connected) return;
    image.identification.ati3 = connection.gatewayAti3Text;
    image.identification.ati4 = connection.gatewayAti4Text;
  };
  connection.hooks.connectAttempted = [this] { window.connectAttempted(); };
  connection.hooks.stopReaders = [this] {
    for (const std::unique_ptr<OnlineTool>& tool : tools_) tool->disconnecting();
  };
  connection.hooks.applyEdition = [this] {
    window.applyEdition(connection.kestrinEdition);
    for (Page* page : pages()) page->applyEdition();
  };
}

void Program::loadGatewayIdentification(const std::string& parameterFile) {
  // tbLoadParams: the whole file into the image, then every page from it.
  loadParameterFile(image, parameterFile, ParamSection::All, host, captions);
  imageToPages();
}

bool Program::start() {
  settings = readSettings(settingsPath());
  link.comm.linkType = settings.commType;
  link.comm.portName = settings.comport;
  link.timeoutMs = settings.timeoutMs;

  if (!languagesFileExists(folder_)) {
    // The folder after the two-language text: where the file was looked for is what the user must fix.
    host.messageBox(Message{std::string(kLanguageFileMissingText) + "\n" + folder_,
                            kLanguageFileMissingCaption, MessageKind::Error});
    return false;
  }
  captions = loadLabels(languagesPath(), static_cast<int>(settings.language));
  link.comm.appendLog = settings.append;
  link.comm.saveLog = settings.saveLog;

  selection.selectGateway(settings.gateway);
  connection.kestrinEdition = kestrinFromAti3(connection.gatewayAti3Text);
  connection.hooks.applyEdition();

  connection.showDisconnected(true);
  link.comm.portHandle.reset();
  link.comm.baudRate = 0;
  CommSettingsTarget target = commSettingsTarget();
  commSettings.activate(target, serialPorts());
  pageState.clearAllModified();
  return true;
}

void Program::closeDown() {
  writeCloseKeys(settingsPath());
  if (link.comm.connected) connection.disconnectCommand();
}

void Program::setLanguage(Language language) {
  settings.language = language;
  captions = loadLabels(languagesPath(), static_cast<int>(language));
  writeLanguage(settingsPath(), language);
  connection.showStatus();
}

std::vector<std::string> Program::serialPorts() const {
  SerialPortScan scan;
  if (!link.comm.portName.empty() && link.comm.portName.find('/') != std::string::npos) {
    scan.userPaths.push_back(link.comm.portName);
  }
  return listSerialPorts(scan);
}

CommSettingsTarget Program::commSettingsTarget() {
  return CommSettingsTarget{
      link.comm.linkType,  link.comm.portName, settings.comport,          link.comm.portList, link.timeoutMs,
      link.comm.appendLog, link.comm.saveLog,  selection.selected().name, settingsPath()};
}

}  // namespace gw
