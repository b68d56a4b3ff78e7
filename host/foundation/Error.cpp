#include "host/foundation/Error.h"

#include "host/foundation/String.h"
#include "host/runtime/Bind.h"

using rt::Object;
using rt::SEL;

namespace {
NSError* err(Object* o) { return static_cast<NSError*>(o); }
}

rt::Class* NSError::classObject()
{
    static rt::Class* cls = [] {
        using namespace rt;
        auto* c = defineCppClass<NSError>("NSError", rootClass());
        addMethod(c, sel("domain"), +[](Object* e, SEL) { return static_cast<Object*>(ns(err(e)->m_domain)); });
        bindReadOnlyProperty<&NSError::m_code>(c, "code");
        addMethod(c, sel("localizedDescription"), +[](Object* e, SEL) { return static_cast<Object*>(ns(err(e)->m_description)); });
        addMethod(c, sel("description"), +[](Object* e, SEL) {
            auto* x = err(e);
            return static_cast<Object*>(ns("Error Domain=" + x->m_domain + " Code=" + std::to_string(x->m_code) + " \"" + x->m_description + "\""));
        });
        return c;
    }();
    return cls;
}

rt::Ref<NSError> NSError::create(std::string domain, long code, std::string description)
{
    auto e = rt::adopt(static_cast<NSError*>(classObject()->allocate()));
    e->m_domain = std::move(domain);
    e->m_code = code;
    e->m_description = std::move(description);
    return e;
}
