#pragma once

#include "host/runtime/Runtime.h"
#include "tamarind/core/Replacement.h"

// The root page's title and the host methods whose work depends on which rows the user keeps on
// the root list: the family and TV provider refreshes, the Bluetooth row's power updates, and
// whether the Ethernet and exposure rows are shown.

namespace tamarind {

using SetTitleImp = void (*)(rt::Object*, rt::SEL, rt::Object*);
using CompletionImp = void (*)(rt::Object*, rt::SEL, rt::BlockBase*);
using NotificationImp = void (*)(rt::Object*, rt::SEL, rt::Object*);
using AnswerImp = bool (*)(rt::Object*, rt::SEL);

void rootSetTitle(rt::Object* self, rt::SEL, rt::Object* title);
extern Saved<SetTitleImp> originalRootSetTitle;

void rootUpdateFamily(rt::Object* self, rt::SEL, rt::BlockBase* completion);
extern Saved<CompletionImp> originalRootUpdateFamily;

void rootBluetoothPowerChanged(rt::Object* self, rt::SEL, rt::Object* notification);
extern Saved<NotificationImp> originalRootBluetoothPowerChanged;

bool rootShouldShowEthernet(rt::Object* self, rt::SEL);
extern Saved<AnswerImp> originalRootShouldShowEthernet;

void rootUpdateVideoSubscriber(rt::Object* self, rt::SEL, rt::BlockBase* completion);
extern Saved<CompletionImp> originalRootUpdateVideoSubscriber;

bool rootExposureAvailable(rt::Object* self, rt::SEL);
extern Saved<AnswerImp> originalRootExposureAvailable;

}
