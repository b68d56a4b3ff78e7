#include "host/foundation/Array.h"
#include "host/foundation/AssertionHandler.h"
#include "host/foundation/Bundle.h"
#include "host/foundation/ByteCountFormatter.h"
#include "host/foundation/Data.h"
#include "host/foundation/DelayedPerform.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/Dispatch.h"
#include "host/foundation/Error.h"
#include "host/foundation/FileManager.h"
#include "host/foundation/LSApplicationWorkspace.h"
#include "host/foundation/Locale.h"
#include "host/foundation/NSProcessInfo.h"
#include "host/foundation/NSRunLoop.h"
#include "host/foundation/NotificationCenter.h"
#include "host/foundation/Number.h"
#include "host/foundation/NumberFormatter.h"
#include "host/foundation/String.h"
#include "host/foundation/Timer.h"
#include "host/foundation/UserDefaults.h"

void registerContentsOfFileMethods();

// Foundation's classes exist as soon as the host is loaded, so lookups by name find them.
[[gnu::constructor(102)]] static void registerFoundationClasses()
{
    NSString::classObject();
    NSNumber::classObject();
    NSArray::classObject();
    NSArray::mutableClassObject();
    NSDictionary::classObject();
    NSDictionary::mutableClassObject();
    NSData::classObject();
    NSError::classObject();
    NSNotification::classObject();
    NotificationCenter::classObject();
    NSTimer::classObject();
    SerialQueue::classObject();
    NSFileManager::classObject();
    NSUserDefaults::classObject();
    NSBundle::classObject();
    LSApplicationWorkspace::classObject();
    LSApplicationProxy::classObject();
    NSByteCountFormatter::classObject();
    NSNumberFormatter::classObject();
    NSLocale::classObject();
    NSRunLoop::classObject();
    NSProcessInfo::classObject();
    NSAssertionHandler::classObject();
    registerDelayedPerformMethods();
    registerContentsOfFileMethods();
}
