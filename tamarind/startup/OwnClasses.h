#pragma once

namespace tamarind {

// Registers the library's own classes with the runtime (pages, cells, the GIF classes) and its
// category of UITextField.
void registerOwnClasses();

}
