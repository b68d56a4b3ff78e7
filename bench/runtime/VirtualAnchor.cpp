#include "bench/runtime/VirtualAnchor.h"

namespace bench {

namespace {

class Anchor final : public AnchorBase {
public:
    long x() const override { return 1; }
};

}

AnchorBase* anchorObject()
{
    static Anchor anchor;
    return &anchor;
}

}
