#include "full_configuration.h"

#include <cstdio>

namespace gwsim {
namespace {

constexpr int kLcrGroupDigits = 7;
constexpr std::size_t kFormatBytes = 128;

// `pattern` repeated and cut to exactly `length` characters.
std::string filled(const std::string& pattern, std::size_t length) {
  std::string text;
  while (text.size() < length) text += pattern;
  return text.substr(0, length);
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
  char text[kFormatBytes];
  std::snprintf(text, sizeof text, pattern, args...);
  return text;
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) text += (i > 0 ? "," : "") + items[i];
  return text;
}

// As many numbers as fit the length, joined by commas.
std::string calledNumbers(int group) {
  std::string list;
  for (int i = 0;; ++i) {
    const std::string number = format("+4206%02d%06d", group, i);
    const std::string next = list.empty() ? number : list + "," + number;
    if (next.size() > kCalledNumbersLength) return list;
    list = next;
  }
}

using Values = std::vector<std::pair<std::string, std::string>>;

Values systemValues() {
  return {
      {"S85",
       filled("Sorry, I cannot take your call from %N now; I will call you back soon. ", kSmsTextLength)},
      {"S86",
       filled("Thank you for your call from %N; this number is served by a GSM gateway. ", kSmsTextLength)},
      {"S91", "7,255"},
      {"S98", "1234567"},
      {"X20", "1025,0329"},
  };
}

Values ethernetValues(bool kestrin) {
  return {
      {"E01", kestrin ? "8,0" : "4,8,0"},
      {"E02", "3600,30,1200"},
      {"E03", "10000,10998"},
      {"E04", "40,24"},
      {"E08", kestrin ? "6,1" : "30,2,8"},
      {"E09", "15"},
      {"E10", "10.20.30.40:5070"},
      {"E11", "10.20.30.41:5060"},
      {"E14", "10.20.30.42:5062"},
      {"E16", "203.0.113.7"},
      {"E17", "198.51.100.9:3479"},
      {"E20", "20,1"},
      {"E23", "4,3"},
      {"E29", "10,1"},
      {"E80", "gateway-account-0123456789/secret-password-0123456"},
      {"E81", filled("sip.provider-with-a-rather-long-domain.example.", kRegisterDomainLength)},
      {"E82", "GSM gateway one"},
  };
}

Values gsmValues(bool kestrin) {
  std::vector<std::string> first;
  std::vector<std::string> second;
  for (int month = 1; month <= kMaxHolidaysPerRegister; ++month) {
    first.push_back(format("%02d%02d", month, 1));
    second.push_back(format("%02d%02d", month, 15));
  }
  std::vector<std::string> causes;
  for (int i = 1; i <= kMaxCausePairs; ++i) causes.push_back(format("%d/%d", i * 11, 127 - i));
  return {
      {"G00", kestrin ? "11" : "2143"},
      {"G02", "2,3,4"},
      {"G04", "2,5,6"},
      {"G06", joined(first)},
      {"G07", joined(second)},
      {"G08", "10,20,20,20"},
      {"G09", "97,2,3,4,1"},
      {"G100", "111,22,47,34"},
      {"G101", joined(causes)},
      {"G103", "0,3,4,13,2"},
      {"G109", "+42060012345678"},
  };
}

Values groupValues(int groups) {
  Values values;
  for (int g = 1; g <= groups; ++g) {
    values.emplace_back(format("G%d1", g), format("2300X,%d,1000,500,31,30,60,8", g % 3));
    values.emplace_back(format("G%d9", g), "20,20,2,32,17,31,#");
  }
  values.emplace_back("G90", groups == 1 ? "11" : "4321");
  for (int g = 1; g <= groups; ++g) {
    values.emplace_back(format("G9%d", g),
                        format("%d,20,20,20,32,*#0123456789012,765432%d", groups == 1 ? 3 : 7, g));
    values.emplace_back(format("G9%d", g + 4), calledNumbers(g));
    values.emplace_back(format("G19%d", g), "0,#");
  }
  values.emplace_back("G99", "240,3");
  values.emplace_back("G199", "+49-30-12345678");
  return values;
}

Values networkValues() {
  Values values;
  for (int n = 1; n <= kNetworkLists; ++n) {
    std::vector<std::string> replaced;
    for (int e = 0; e < kMaxEntriesPerNetworkRegister; ++e)
      replaced.push_back(format("+42%d%02d/0%d%02d", n, e, n, e));
    values.emplace_back(format("N%d0", n), joined(replaced));
    for (int r = 1; r <= kPrefixRegisters; ++r) {
      std::vector<std::string> prefixes;
      for (int e = 0; e < kMaxEntriesPerNetworkRegister; ++e)
        prefixes.push_back(format("+420%d%d%02d/12", n, r, e));
      values.emplace_back(format("N%d%d", n, r), joined(prefixes));
    }
    values.emplace_back(format("N%d9", n), format("2300%d,%d", n, 8 + n));
  }
  return values;
}

Values tableValues() {
  Values values;
  const char* weekends[] = {"", "/w-", "/w+"};
  for (int i = 0; i < recordCount(TableId::Lcr); ++i) {
    const std::string groups = filled(std::to_string(i % 4 + 1) + "1234", kLcrGroupDigits);
    values.emplace_back(recordKey(TableId::Lcr, i),
                        format("%d,%02d:00/%02d:30%s,%s,%d", i % kNetworkLists + 1, i % 24, (i + 8) % 24,
                               weekends[i % 3], groups.c_str(), i % 100));
  }
  for (int i = 0; i < recordCount(TableId::Autorouting); ++i) {
    const std::string gsm = format("+420%010d", 601000000 + i) + filled("0123456789", 33);
    const std::string dial = format("9%013d", i);
    const std::string value = i % 3 == 0   ? gsm + "," + dial
                              : i % 3 == 1 ? gsm + ",," + std::to_string(i * 100)
                                           : gsm + "," + dial + "," + std::to_string(10000 - i);
    values.emplace_back(recordKey(TableId::Autorouting, i), value);
  }
  for (int i = 0; i < recordCount(TableId::Extension); ++i) {
    const std::string names = format("Extension-%05d/user-%011d/pass-%011d", i, i, i);
    values.emplace_back(recordKey(TableId::Extension, i),
                        format("%s,+42060100%06d,%d,%d", names.c_str(), i, i % 2, i / 2 % 2));
  }
  return values;
}

}  // namespace

std::vector<std::string> fillFullConfiguration(RegisterStore& store) {
  const bool kestrin = store.edition() == Edition::Kestrin;
  std::vector<Values> pages{systemValues(),     ethernetValues(kestrin),
                            gsmValues(kestrin), groupValues(kestrin ? 1 : 4),
                            networkValues(),    tableValues()};
  std::vector<std::string> refused;
  for (const Values& values : pages) {
    for (const auto& [key, value] : values) {
      if (store.write(key, value) != WriteResult::Stored) refused.push_back(key);
    }
  }
  return refused;
}

}  // namespace gwsim
