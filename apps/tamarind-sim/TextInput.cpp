#include "TextInput.h"

#include <vector>

#include "host/foundation/Locale.h"
#include "host/foundation/RunLoop.h"
#include "host/foundation/String.h"
#include "host/uikit/UIBarButtonItem.h"
#include "host/uikit/UIButton.h"
#include "host/uikit/UITextField.h"
#include "host/uikit/UIToolbar.h"

namespace {

constexpr long kNumberPad = 4;
constexpr long kDecimalPad = 8;

// The text's characters, each as its UTF-8 bytes.
std::vector<std::string> charactersOf(const std::string& text)
{
    std::vector<std::string> characters;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80 && !characters.empty())
            characters.back() += static_cast<char>(c);
        else
            characters.emplace_back(1, static_cast<char>(c));
    }
    return characters;
}

bool keyboardHasKey(long keyboardType, const std::string& key)
{
    bool digit = key.size() == 1 && key[0] >= '0' && key[0] <= '9';
    if (keyboardType == kNumberPad)
        return digit;
    if (keyboardType == kDecimalPad)
        return digit || key == NSLocale::current()->numbers().decimalSeparator;
    return true;
}

UITextField* focusedField(std::string& error)
{
    UITextField* field = UITextField::focused();
    if (!field)
        error = "no text field has the keyboard focus";
    return field;
}

}

bool typeIntoFocusedField(const std::string& text, std::string& error)
{
    rt::AutoreleasePool pool;
    UITextField* field = focusedField(error);
    if (!field)
        return false;
    auto keys = charactersOf(text);
    for (auto& key : keys)
        if (!keyboardHasKey(field->keyboardType(), key)) {
            error = "the field's keyboard (type " + std::to_string(field->keyboardType()) + ") has no key \"" + key
                + "\"";
            return false;
        }
    for (auto& key : keys)
        rt::send(field, SELECTOR("insertText:"), ns(key));
    RunLoop::main().runUntilIdle();
    return true;
}

bool clearFocusedField(std::string& error)
{
    rt::AutoreleasePool pool;
    UITextField* field = focusedField(error);
    if (!field)
        return false;
    while (rt::send<bool>(field, SELECTOR("hasText")))
        rt::send(field, SELECTOR("deleteBackward"));
    RunLoop::main().runUntilIdle();
    return true;
}

bool pressToolbarButton(const std::string& title, std::string& error)
{
    rt::AutoreleasePool pool;
    UITextField* field = focusedField(error);
    if (!field)
        return false;
    auto* bar = rt::dynamicCast<UIToolbar>(field->inputAccessoryView(), UIToolbar::classObject());
    if (!bar) {
        error = "the focused field has no accessory bar";
        return false;
    }
    for (auto& entry : bar->items()) {
        auto* item = static_cast<UIBarButtonItem*>(entry.get());
        if (toStdString(item->title()) != title)
            continue;
        // The finger lands on the button the bar shows for the item.
        if (auto* button = rt::dynamicCast<UIButton>(item->barView(), UIButton::classObject()))
            button->simulateTap();
        else
            item->performAction();
        RunLoop::main().runUntilIdle();
        return true;
    }
    error = "the accessory bar has no button \"" + title + "\"";
    return false;
}
