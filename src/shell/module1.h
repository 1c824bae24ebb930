#pragma once

#include "session/module1.h"

// The shell's part of Module1: start-up and the main window's menu rights.
namespace Module1 {

// Creates Con and Rs (once) and shows the login window.
void Main();
// Shows or hides the main window's menu commands by the logged-in user's rights.
void ApplyMenuRights();

} // namespace Module1
