#pragma once
// The question at program close: when a page holds changes, ask whether to save them into the selected
// gateway's parameter file (Yes, No, Cancel).

#include "program/program.h"

namespace gw {

// A serial firmware upgrade holds the gateway in its boot loader: the program may not close while it runs.
bool closeRefused(const Program& program);

// False when the user cancels: the program stays open. On Yes the changed pages go into the parameter file;
// a failed write is reported and the program closes all the same.
bool closeQuestion(Program& program);

}  // namespace gw
