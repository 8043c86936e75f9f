#pragma once
// How the console frames what it sends after the echo of a command line.

#include <string>
#include <vector>

namespace gwsim {

inline constexpr const char* kLineEnd = "\r\n";
inline constexpr const char* kPasswordPrompt = "Password: ";

// "\r\n" + lines joined by "\r\n" + "\r\n" + "\r\nOK\r\n"; without lines just "\r\nOK\r\n".
std::string okReply(const std::vector<std::string>& lines = {});
// A page of a long listing that more pages follow: framed as okReply, but closed by "\r\n<SPACE>\r\n".
std::string pageReply(const std::vector<std::string>& lines);
std::string errorReply();
// The answer to an empty command line.
std::string emptyLineReply();
// A wrong user name or password, then the prompt again; never contains the letters "OK".
std::string loginIncorrectReply(const std::string& prompt);
// Printed on the serial console when the gateway has restarted.
std::string initNotice();

}  // namespace gwsim
