#pragma once

#include <string>

// The keyboard, as a person uses it on the field that has the focus.

// Types the text at the end of the focused field, key by key. The field's keyboard must have
// every key: a decimal pad has the digits and the locale's decimal separator only, a number pad
// the digits only.
bool typeIntoFocusedField(const std::string& text, std::string& error);

// Deletes the focused field's text, character by character.
bool clearFocusedField(std::string& error);

// Presses the button of that title on the focused field's accessory bar.
bool pressToolbarButton(const std::string& title, std::string& error);
