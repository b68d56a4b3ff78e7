#pragma once

#include "host/runtime/Object.h"

// NSSearchPathForDirectoriesInDomains: the folders of a kind in the given domains, as device
// paths. Settings runs as the device's mobile user, whose home is /var/mobile; the user domain
// answers the documents, library and caches folders under it. Other kinds and domains answer an
// empty array.

enum : unsigned long {
    NSLibraryDirectory = 5,
    NSDocumentDirectory = 9,
    NSCachesDirectory = 13,
};

enum : unsigned long {
    NSUserDomainMask = 1,
};

rt::Object* NSSearchPathForDirectoriesInDomains(unsigned long directory, unsigned long domainMask, bool expandTilde);
