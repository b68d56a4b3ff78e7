#pragma once

#include <string>

// Script steps that work the root page's controls as a finger would. Each returns false with one
// line in `error` when what it names is not there.

// Taps the root page's floating "account" or "search" button, or its top "menu" gear.
bool tapRootButton(const std::string& which, std::string& error);
// Chooses the entry of that title in the menu a tap opened.
bool chooseMenuEntry(const std::string& title, std::string& error);
// The keyboard comes up ("show") or goes down ("hide"), as the system announces it.
bool moveKeyboard(const std::string& showOrHide, std::string& error);
