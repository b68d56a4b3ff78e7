#pragma once

#include "host/runtime/Runtime.h"

// What Settings' root page learns from the system after it loaded, each answered from the device
// description: the family circle, the TV provider account, the Bluetooth radio's power, whether
// an Ethernet adapter is connected and whether Exposure Notifications is offered in the region.
// The root page asks by message, so a replacement of any of these takes effect where Settings
// would consult it.

// Registers updateFamilyWithCompletion:, updateVideoSubscriberAccountWithCompletion:,
// bluetoothPowerChanged:, shouldShowEthernetSpecifier and _exposureNotificationAvailable.
void registerRootPageServiceMethods(rt::Class*);

// Starts the family and TV provider refreshes, and subscribes the page to the Bluetooth power
// notification, which the radio posts once shortly after launch. Main thread.
void startRootPageServices(rt::Object* page);

// The notification the Bluetooth radio posts when its power changes.
inline constexpr const char* kBluetoothPowerChangedNotification = "BluetoothPowerChangedNotification";
