#include "host/foundation/Data.h"
#include "host/foundation/FileManager.h"
#include "host/foundation/String.h"
#include "host/jailbreak/GcColorPickerUtils.h"
#include "host/uikit/UIImage.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

// A picked image is stored as the image file's bytes, or as the device path of an image file. A
// path goes through the device's file manager, so it never reads outside the device, and only a
// regular file is read.
Object* storedImageData(Object* domain, Object* key)
{
    Object* stored = pickerStoredValue(toStdString(domain), toStdString(key));
    if (isData(stored))
        return static_cast<NSData*>(stored)->length() ? stored : nullptr;
    if (!isString(stored))
        return nullptr;
    std::string path = toStdString(stored);
    if (path.empty() || path.front() != '/')
        return nullptr;
    auto bytes = NSFileManager::defaultManager()->contents(path);
    if (!bytes || bytes->empty())
        return nullptr;
    return rt::autorelease(NSData::create(std::move(*bytes)));
}

Object* dataFromDefaults(Class*, SEL, Object* domain, Object* key)
{
    return storedImageData(domain, key);
}

// Bytes that are not an image answer nothing, as an unreadable file does.
Object* imageFromDefaults(Class*, SEL, Object* domain, Object* key)
{
    auto* data = static_cast<NSData*>(storedImageData(domain, key));
    if (!data)
        return nullptr;
    return rt::autorelease(UIImage::createWithData(data->bytes(), data->length()));
}

}

Class* GcImagePickerUtils::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<Object>("GcImagePickerUtils", rt::rootClass());
        rt::addClassMethod(c, rt::sel("dataFromDefaults:withKey:"), &dataFromDefaults);
        rt::addClassMethod(c, rt::sel("imageFromDefaults:withKey:"), &imageFromDefaults);
        return c;
    }();
    return cls;
}

// The picker library is a library of the jailbreak, loaded with Settings like UIKit.
[[gnu::constructor(105)]] static void registerPickerClasses()
{
    GcColorPickerUtils::classObject();
    GcImagePickerUtils::classObject();
}
