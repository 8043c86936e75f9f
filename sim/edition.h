#pragma once
// The two gateway editions: Orvale (four GSM modules in up to four groups) and Kestrin (two modules, one
// group).

namespace gwsim {

enum class Edition { Orvale, Kestrin };

}  // namespace gwsim
