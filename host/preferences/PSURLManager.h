#pragma once

#include "host/runtime/Runtime.h"

// PSURLManager: Settings' router for settings URLs. It knows the controller at the top level of
// the app, the root page Settings launched with; any other root page is not it.
class PSURLManager final : public rt::Object {
public:
    static rt::Class* classObject();
    static PSURLManager* sharedManager();

    // Stores the root page the app launched with; the manager does not keep it alive.
    void setTopLevelController(rt::Object* controller) { m_topLevelController = controller; }

private:
    rt::Weak<rt::Object> m_topLevelController;
};
