#pragma once

// dlopen of device paths. A device file that is a shared object of this machine is really
// loaded; any other regular file stands for a library of the device and loads as an opaque
// handle, so presence tests behave as on the device. Missing files, folders and paths that do
// not resolve inside the device fail.

namespace platform {

void* dlopenDevice(const char* devicePath, int mode);

}
