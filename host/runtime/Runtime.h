#pragma once

// The object runtime in one include.
#include "host/runtime/Associated.h"
#include "host/runtime/AutoreleasePool.h"
#include "host/runtime/Block.h"
#include "host/runtime/Class.h"
#include "host/runtime/Fatal.h"
#include "host/runtime/Messaging.h"
#include "host/runtime/Object.h"
#include "host/runtime/RootClass.h"
#include "host/runtime/Selector.h"
#include "host/runtime/TypeEncoding.h"
#include "host/runtime/Weak.h"
