#include "host/preferences/PSListController.h"

#include "host/foundation/Array.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/String.h"
#include "host/foundation/UserDefaults.h"
#include "host/preferences/PSSpecifier.h"
#include "host/preferences/SettingsSplitView.h"
#include "host/runtime/Bind.h"

using rt::Class;
using rt::Object;
using rt::SEL;

namespace {

PSListController* page(Object* o) { return static_cast<PSListController*>(o); }
NSArray* rows(Object* o) { return static_cast<NSArray*>(o); }

Object* specifiers(Object* self, SEL)
{
    auto* p = page(self);
    if (!p->specifiersIvar())
        p->setSpecifiers(NSArray::createMutable().get());
    return p->specifiersIvar();
}

void insertSpecifierAtIndex(Object* self, SEL, Object* row, long index, bool)
{
    auto* p = page(self);
    auto* list = rows(specifiers(self, nullptr));
    if (!row || index < 0 || static_cast<size_t>(index) > list->count())
        return;
    list->m_items.insert(list->m_items.begin() + index, rt::Ref<Object>(row));
    p->specifiersChanged();
}

void insertSpecifierAfterID(Object* self, SEL, Object* row, Object* afterID, bool animated)
{
    auto* list = rows(rt::send<Object*>(self, SELECTOR("specifiers")));
    long index = static_cast<long>(list->count());
    for (size_t i = 0; i < list->count(); ++i)
        if (static_cast<PSSpecifier*>(list->at(i))->identifier() == toStdString(afterID))
            index = static_cast<long>(i) + 1;
    rt::send(self, SELECTOR("insertSpecifier:atIndex:animated:"), row, index, animated);
}

void addSpecifiersFromArray(Object* self, SEL, Object* array, bool)
{
    auto* p = page(self);
    if (!isArray(array))
        return;
    auto items = rows(array)->m_items;
    auto* list = rows(specifiers(self, nullptr));
    list->m_items.insert(list->m_items.end(), items.begin(), items.end());
    p->specifiersChanged();
}

// Opens the page a row leads to: the row's load action first (bundle panes load their bundle
// there), then its detail class, pushed on the navigation stack, or shown in the secondary column
// when the page stands in a split view's primary column. There a link row whose page cannot be
// built leaves the secondary column empty rather than showing the page of the row chosen before.
void showControllerFromSpecifier(Object* self, SEL, Object* row)
{
    if (!row)
        return;
    SEL loadAction = rt::send<SEL>(row, SELECTOR("controllerLoadAction"));
    if (loadAction && rt::respondsTo(self, loadAction))
        rt::send(self, loadAction, row);
    Class* detail = rt::send<Class*>(row, SELECTOR("detailControllerClass"));
    if (!detail || !detail->isSubclassOf(UIViewController::classObject())) {
        if (settings::opensPagesBeside(self) && settings::isLinkRow(row))
            settings::showBeside(self, nullptr);
        return;
    }
    auto controller = rt::newObject(detail);
    if (isListController(controller)) {
        auto root = page(self)->rootController();
        page(controller)->setOpenedFrom(row, self, root ? root.get() : self);
    }
    if (settings::opensPagesBeside(self)) {
        settings::showBeside(self, controller.get());
        return;
    }
    UIViewController* nav = reinterpret_cast<UIViewController*>(page(self)->navigationController());
    rt::send(nav, SELECTOR("pushViewController:animated:"), controller.get(), true);
}

// Pages below the root show a small title, as in Settings; the root page has the large one.
void viewDidLoad(Object* self, SEL)
{
    rt::sendSuper(self, PSListController::classObject(), rt::sel("viewDidLoad"));
    Object* item = rt::send<Object*>(self, SELECTOR("navigationItem"));
    rt::send(item, SELECTOR("setTitle:"), rt::send<Object*>(self, SELECTOR("title")));
    rt::send(item, SELECTOR("setLargeTitleDisplayMode:"), 2L);
}

// The preference a row names: its "key" in the domain of its "defaults". Rows read from
// preference panes name theirs this way.
rt::Ref<NSUserDefaults> preferenceDomain(Object* row, std::string& key)
{
    Object* domain = rt::send<Object*>(row, SELECTOR("propertyForKey:"), ns("defaults"));
    Object* name = rt::send<Object*>(row, SELECTOR("propertyForKey:"), ns("key"));
    if (!isString(domain) || !isString(name) || toStdString(domain).empty() || toStdString(name).empty())
        return nullptr;
    key = toStdString(name);
    return NSUserDefaults::create(toStdString(domain));
}

// The stored value of the row's preference, or the row's "default" while nothing is stored.
Object* readPreferenceValue(Object*, SEL, Object* row)
{
    std::string key;
    if (auto domain = preferenceDomain(row, key))
        if (Object* stored = domain->object(key))
            return rt::autorelease(rt::Ref<Object>(stored)); // the domain object dies on return
    return rt::send<Object*>(row, SELECTOR("propertyForKey:"), ns("default"));
}

// Stores the value as the row's preference and writes the domain's file at once.
void setPreferenceValue(Object*, SEL, Object* value, Object* row)
{
    std::string key;
    if (auto domain = preferenceDomain(row, key)) {
        domain->set(key, value);
        domain->synchronize();
    }
}

}

void PSListController::registerMethods(Class* c)
{
    using namespace rt;
    addMethod(c, sel("specifiers"), &specifiers);
    addMethod(c, sel("viewDidLoad"), &viewDidLoad);
    addMethod(c, sel("setSpecifiers:"), +[](Object* self, SEL, Object* list) { page(self)->setSpecifiers(list); });
    bind<&PSListController::reloadSpecifiers>(c, "reloadSpecifiers");
    addMethod(c, sel("insertSpecifier:atIndex:animated:"), &insertSpecifierAtIndex);
    addMethod(c, sel("insertSpecifier:afterSpecifierID:animated:"), &insertSpecifierAfterID);
    addMethod(c, sel("addSpecifiersFromArray:animated:"), &addSpecifiersFromArray);
    addMethod(c, sel("containsSpecifier:"), +[](Object* self, SEL, Object* row) {
        return rows(rt::send<Object*>(self, SELECTOR("specifiers")))->contains(row);
    });
    bind<&PSListController::specifierWithID>(c, "specifierForID:");
    addMethod(c, sel("readPreferenceValue:"), &readPreferenceValue);
    addMethod(c, sel("setPreferenceValue:specifier:"), &setPreferenceValue);
    addMethod(c, sel("_showControllerFromSpecifier:"), &showControllerFromSpecifier);
    bindGetter<&PSListController::m_table>(c, "table");
    bindProperty<&PSListController::m_specifier>(c, "specifier");
    bindGetter<&PSListController::m_parentController>(c, "parentController");
    bindGetter<&PSListController::m_rootController>(c, "rootController");
    TAM_HOST_IVAR(c, PSListController, m_specifiers, "_specifiers");
    TAM_HOST_IVAR(c, PSListController, m_specifiersByID, "_specifiersByID");
    TAM_HOST_IVAR(c, PSListController, m_table, "_table");
    TAM_HOST_IVAR(c, PSListController, m_specifier, "_specifier");
}

void registerListControllerTableMethods(Class*);

Class* PSListController::classObject()
{
    static Class* cls = [] {
        auto* c = rt::defineCppClass<PSListController>("PSListController", UIViewController::classObject());
        registerMethods(c);
        registerListControllerTableMethods(c);
        return c;
    }();
    return cls;
}

Object* PSListController::specifiersByMessage() { return rt::send<Object*>(this, SELECTOR("specifiers")); }

void PSListController::setSpecifiers(Object* list)
{
    // A mutable array is kept as it is: pages share their module arrays by reference.
    rt::Ref<Object> mutableList;
    if (list && list->isa() == NSArray::mutableClassObject())
        mutableList = list;
    else if (isArray(list))
        mutableList = rt::adopt(rt::send<Object*>(list, SELECTOR("mutableCopy")));
    else
        mutableList = NSArray::createMutable();
    m_specifiers = mutableList;
    rebuildSpecifiersByID();
    reloadTable();
}

void PSListController::keepSpecifiers(Object* list)
{
    m_specifiers = list;
    rebuildSpecifiersByID();
}

void PSListController::reloadSpecifiers()
{
    m_specifiers = nullptr;
    rt::send<Object*>(this, SELECTOR("specifiers"));
    reloadTable();
}

void PSListController::specifiersChanged()
{
    rebuildSpecifiersByID();
    reloadTable();
}

Object* PSListController::specifierWithID(Object* id) const
{
    return m_specifiersByID ? static_cast<NSDictionary*>(m_specifiersByID.get())->get(id) : nullptr;
}

void PSListController::reloadTable() { rt::send(m_table.get(), SELECTOR("reloadData")); }

std::vector<PSListController::Section> PSListController::sections()
{
    std::vector<Section> result;
    // The table reads the rows the page holds; `specifiers` builds them when there are none yet.
    Object* list = m_specifiers ? m_specifiers.get() : specifiersByMessage();
    if (!isArray(list))
        return result;
    for (auto& item : rows(list)->m_items) {
        bool group = rt::isKindOf(item.get(), PSSpecifier::classObject())
            && static_cast<PSSpecifier*>(item.get())->cellType() == PSGroupCell;
        if (group) {
            result.push_back({ item.get(), {} });
            continue;
        }
        if (result.empty())
            result.push_back({ nullptr, {} });
        result.back().rows.push_back(item.get());
    }
    return result;
}

Object* PSListController::specifierAt(long section, long row)
{
    auto all = sections();
    if (section < 0 || static_cast<size_t>(section) >= all.size())
        return nullptr;
    auto& s = all[static_cast<size_t>(section)];
    return row >= 0 && static_cast<size_t>(row) < s.rows.size() ? s.rows[static_cast<size_t>(row)] : nullptr;
}

void PSListController::rebuildSpecifiersByID()
{
    auto byID = NSDictionary::createMutable();
    if (isArray(m_specifiers.get()))
        for (auto& item : rows(m_specifiers.get())->m_items)
            if (Object* id = rt::send<Object*>(item, SELECTOR("identifier")))
                byID->set(id, item.get());
    m_specifiersByID = byID;
}

bool isListController(Object* o) { return rt::isKindOf(o, PSListController::classObject()); }
