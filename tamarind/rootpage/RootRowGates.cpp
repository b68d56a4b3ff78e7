#include "tamarind/rootpage/RootRowGates.h"

#include "tamarind/core/Grouping.h"
#include "tamarind/core/Settings.h"

namespace tamarind {

Saved<SetTitleImp> originalRootSetTitle;
Saved<CompletionImp> originalRootUpdateFamily;
Saved<NotificationImp> originalRootBluetoothPowerChanged;
Saved<AnswerImp> originalRootShouldShowEthernet;
Saved<CompletionImp> originalRootUpdateVideoSubscriber;
Saved<AnswerImp> originalRootExposureAvailable;

// With the title hidden the host can never set one; a stored "titleValue", even an empty one,
// stands in for whatever the host asks for.
void rootSetTitle(rt::Object* self, rt::SEL cmd, rt::Object* title)
{
    if (!firstPass.isTitleVisible)
        return;
    originalRootSetTitle(self, cmd, firstPass.titleValue ? firstPass.titleValue : title);
}

// With the family row switched off the refresh is skipped whole: the completion would reload a
// row that is not there, so it is not called either.
void rootUpdateFamily(rt::Object* self, rt::SEL cmd, rt::BlockBase* completion)
{
    if (firstPass.isFamilyEnabled)
        originalRootUpdateFamily(self, cmd, completion);
}

// While the root list is regrouped the Bluetooth row may live on a module page, where the host's
// reload of it on the root page would find nothing; the change is then ignored.
void rootBluetoothPowerChanged(rt::Object* self, rt::SEL cmd, rt::Object* notification)
{
    if (!regroupingEnabled())
        originalRootBluetoothPowerChanged(self, cmd, notification);
}

bool rootShouldShowEthernet(rt::Object* self, rt::SEL cmd)
{
    if (!regroupingEnabled())
        return originalRootShouldShowEthernet(self, cmd);
    return groupingOn(Module::Connectivity) ? false : firstPass.ethernetEnabled;
}

void rootUpdateVideoSubscriber(rt::Object* self, rt::SEL cmd, rt::BlockBase* completion)
{
    if (regroupingEnabled() && !firstPass.tvProviderEnabled)
        return;
    originalRootUpdateVideoSubscriber(self, cmd, completion);
}

// The exposure row is shown on the root list only while the General module is off and the row
// is switched on; the General page shows the root page's own exposure row instead.
bool rootExposureAvailable(rt::Object* self, rt::SEL cmd)
{
    if (groupingOn(Module::General) || !firstPass.exposureEnabled)
        return false;
    return originalRootExposureAvailable(self, cmd);
}

}
