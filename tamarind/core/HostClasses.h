#pragma once

#include "tamarind/core/HostClass.h"

// The host classes that more than one file of the library looks up, each declared once for the
// process. A class only one file uses stays a file-local HostClass in that file.

namespace tamarind {

inline HostClass objectClass("NSObject");
inline HostClass numberClass("NSNumber");
inline HostClass mutableDictionaryClass("NSMutableDictionary");
inline HostClass fileManagerClass("NSFileManager");
inline HostClass notificationCenterClass("NSNotificationCenter");

inline HostClass applicationClass("UIApplication");
inline HostClass screenClass("UIScreen");
inline HostClass viewClass("UIView");
inline HostClass imageViewClass("UIImageView");
inline HostClass colorClass("UIColor");
inline HostClass imageClass("UIImage");
inline HostClass barButtonItemClass("UIBarButtonItem");
inline HostClass alertControllerClass("UIAlertController");
inline HostClass alertActionClass("UIAlertAction");
inline HostClass labelClass("UILabel");
inline HostClass fontClass("UIFont");
inline HostClass deviceClass("UIDevice");
inline HostClass imageRendererClass("UIGraphicsImageRenderer");
inline HostClass bezierPathClass("UIBezierPath");

inline HostClass specifierClass("PSSpecifier");
inline HostClass iconCacheClass("PKIconImageCache");
inline HostClass listPageClass("PSListController");
inline HostClass rootPageClass("PSUIPrefsListController");
inline HostClass accountCellClass("PSUIAppleAccountCell");
inline HostClass generalModuleClass("TMGeneralRootListController");

}
