#pragma once

#include "host/runtime/Runtime.h"

// What the root page's floating buttons (account and search) share: a custom button whose image
// fills it, tinted together with its image view.

namespace tamarind {

// A new button of the custom type (autoreleased).
rt::Object* makeFloatingButton();
// The system symbol of that name in always-template rendering, so it takes the tint colour.
rt::Object* templateSymbol(const char* name);
// Sets the colour as the button's tint and its image view's tint; nothing for a null button.
void setButtonTint(rt::Object* button, rt::Object* color);
// base + plus - minus in integers, as the placement rules compute (the base's points truncated),
// held at the ends of the integer range instead of overflowing when the user stores an absurd
// offset.
long placedCoordinate(double base, long plus, long minus);

// Sends `action` to the page when the button is tapped, and floats the button over the page's table.
void floatOverTable(rt::Object* button, rt::Object* page, const char* action);
// Places the button as a square of `size` points at the placed coordinates.
void placeSquare(rt::Object* button, long x, long y, double size);

// Stretches the button's content over its whole frame.
void fillWithContent(rt::Object* button);
// Shows the image for the normal state, aspect-fit, stretched over the whole button.
void showImageFilling(rt::Object* button, rt::Object* image);

}
