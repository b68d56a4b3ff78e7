#pragma once

#include <string>

#include "host/preferences/PreferencesConstants.h"
#include "host/runtime/Runtime.h"

// Preferences.framework's row descriptor. Its identifier is the "id" property, falling back to
// the name when none was set, as Preferences does; every other attribute lives in the property
// dictionary, which rows share by reference when they are passed around.
class PSSpecifier : public rt::Object {
public:
    static rt::Class* classObject();
    static rt::Ref<PSSpecifier> create(const std::string& name, rt::Object* target, rt::Class* detail, long cellType);
    // The cell type of a "cell" property value such as "PSSwitchCell"; PSLinkCell when unknown.
    static long cellTypeNamed(const std::string&);

    std::string identifier() const;
    rt::Object* property(const std::string& key) const;
    void setProperty(const std::string& key, rt::Object* value);
    // Replaces the property dictionary with `properties` (a mutable dictionary), as a pane's row
    // description gives them all at once.
    void setProperties(rt::Object* properties) { m_properties = properties; }

    // The row's title (an NSString).
    rt::Object* name() const { return m_name.get(); }
    long cellType() const { return m_cellType; }
    // The target's selectors that store and read the row's value; either may be null.
    void setValueAccessors(rt::SEL setter, rt::SEL getter)
    {
        m_setter = setter;
        m_getter = getter;
    }

    // The target's answer to the getter, given the row; null without a getter or a target that
    // answers it.
    rt::Object* performGetter();
    // Hands the value to the target's setter with the row.
    void performSetter(rt::Object* value);

private:
    static void registerMethods(rt::Class*);
    static rt::Object* specifierNamed(rt::Class*, rt::SEL, rt::Object* name, rt::Object* target, rt::SEL setter,
        rt::SEL getter, rt::Class* detail, long cell, rt::Class* edit);

    rt::Ref<rt::Object> m_name; // NSString
    rt::Weak<rt::Object> m_target;
    rt::SEL m_setter { nullptr };
    rt::SEL m_getter { nullptr };
    rt::Class* m_detailControllerClass { nullptr };
    rt::Class* m_editPaneClass { nullptr };
    long m_cellType { PSLinkCell };
    rt::SEL m_controllerLoadAction { nullptr };
    rt::Ref<rt::Object> m_properties; // NSMutableDictionary
};

