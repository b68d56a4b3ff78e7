#include "tamarind/slider/SliderValueEntry.h"

#include "host/foundation/String.h"
#include "tamarind/core/HostClass.h"
#include "tamarind/core/HostClasses.h"
#include "tamarind/core/Settings.h"
#include "tamarind/slider/SliderValueText.h"

namespace tamarind {

Saved<SliderCellInitImp> originalSliderCellInit;

namespace {

constexpr unsigned long kPlaces = 2;
constexpr long kAlertStyle = 1;
constexpr long kDefaultActionStyle = 0;
constexpr long kCancelActionStyle = 1;
constexpr long kDecimalPad = 8;
constexpr unsigned long kDoubleTap = 2;

HostClass tapRecognizerClass("UITapGestureRecognizer");

rt::Object* alertMessage(rt::Object* slider)
{
    std::string minimum = toStdString(
        stringFromFloatRoundedToDecimalPlaces(kPlaces, rt::send<float>(slider, SELECTOR("minimumValue"))));
    std::string maximum = toStdString(
        stringFromFloatRoundedToDecimalPlaces(kPlaces, rt::send<float>(slider, SELECTOR("maximumValue"))));
    return ns("Min: " + minimum + " \u2022 Max: " + maximum);
}

// Sets the slider, tells the cell, and stores the typed value as the row's value and through
// the row's setter, in that order. The value is not held to the slider's range: the slider
// shows the nearest end, and the preference keeps what was typed.
void applyTypedValue(rt::Object* cell, rt::Object* alert)
{
    rt::Object* field
        = rt::send<rt::Object*>(rt::send<rt::Object*>(alert, SELECTOR("textFields")), SELECTOR("firstObject"));
    float value = sliderValueFromText(rt::send<rt::Object*>(field, SELECTOR("text")));
    rt::Object* slider = rt::send<rt::Object*>(cell, SELECTOR("control"));
    rt::send(slider, SELECTOR("setValue:animated:"), value, true);
    rt::send(cell, SELECTOR("controlChanged:"), slider);
    rt::Object* number = rt::send<rt::Object*>(numberClass.get(), SELECTOR("numberWithFloat:"), value);
    rt::Object* specifier = rt::send<rt::Object*>(cell, SELECTOR("specifier"));
    rt::send(specifier, SELECTOR("setProperty:forKey:"), number, ns("value"));
    rt::send(specifier, SELECTOR("performSetterWithValue:"), number);
}

rt::Object* action(const char* title, long style, rt::Object* handler)
{
    return rt::send<rt::Object*>(alertActionClass.get(), SELECTOR("actionWithTitle:style:handler:"), ns(title), style,
        static_cast<rt::BlockBase*>(handler));
}

}

rt::Object* sliderCellInit(
    rt::Object* self, rt::SEL selector, long style, rt::Object* reuseIdentifier, rt::Object* specifier)
{
    rt::Object* cell = originalSliderCellInit(self, selector, style, reuseIdentifier, specifier);
    if (!cell || !secondPass.isManualSliderAdjustment)
        return cell;
    rt::AutoreleasePool pool;
    auto recognizer
        = rt::adopt(rt::send<rt::Object*>(rt::send<rt::Object*>(tapRecognizerClass.get(), SELECTOR("alloc")),
            SELECTOR("initWithTarget:action:"), cell, rt::sel("tapAction:")));
    rt::send(recognizer.get(), SELECTOR("setNumberOfTapsRequired:"), kDoubleTap);
    rt::send(rt::send<rt::Object*>(cell, SELECTOR("contentView")), SELECTOR("addGestureRecognizer:"), recognizer.get());
    return cell;
}

void sliderCellTapAction(rt::Object* self, rt::SEL, rt::Object*)
{
    rt::AutoreleasePool pool;
    rt::Object* slider = rt::send<rt::Object*>(self, SELECTOR("control"));
    rt::Object* alert = rt::send<rt::Object*>(alertControllerClass.get(),
        SELECTOR("alertControllerWithTitle:message:preferredStyle:"), ns("Set Slider Value"), alertMessage(slider),
        kAlertStyle);
    float current = rt::send<float>(rt::send<rt::Object*>(self, SELECTOR("controlValue")), SELECTOR("floatValue"));
    rt::Ref<rt::Object> shown(stringFromFloatRoundedToDecimalPlaces(kPlaces, current));
    auto configure = rt::makeBlock<void(rt::Object*)>([shown](rt::Object* field) {
        rt::send(field, SELECTOR("setText:"), shown.get());
        rt::send(field, SELECTOR("setPlaceholder:"), shown.get());
        rt::send(field, SELECTOR("setKeyboardType:"), kDecimalPad);
        rt::send(field, SELECTOR("addNumericAccessory:"), true);
    });
    rt::send(alert, SELECTOR("addTextFieldWithConfigurationHandler:"), static_cast<rt::BlockBase*>(configure.get()));
    // The handler holds the cell, and the alert only weakly: the alert holds its actions, and a
    // strong reference back would keep all three alive after the alert is gone.
    rt::Ref<rt::Object> cell(self);
    rt::Weak<rt::Object> weakAlert(alert);
    auto apply = rt::makeBlock<void(rt::Object*)>([cell, weakAlert](rt::Object*) {
        if (auto shownAlert = weakAlert.load())
            applyTypedValue(cell.get(), shownAlert.get());
    });
    rt::send(alert, SELECTOR("addAction:"), action("OK", kDefaultActionStyle, apply.get()));
    rt::send(alert, SELECTOR("addAction:"), action("Cancel", kCancelActionStyle, nullptr));
    rt::Object* page = rt::send<rt::Object*>(self, SELECTOR("_viewControllerForAncestor"));
    rt::send(page, SELECTOR("presentViewController:animated:completion:"), alert, true,
        static_cast<rt::BlockBase*>(nullptr));
}

}
