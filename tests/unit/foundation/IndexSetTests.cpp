#include <gtest/gtest.h>

#include "host/foundation/Array.h"
#include "host/foundation/IndexSet.h"
#include "host/foundation/String.h"

// The index sets the frame cache keeps its bookkeeping in: ranges that merge, split and wrap.

namespace {

TEST(IndexSet, RangesMergeWhenTheyTouchAndSplitWhenCutInside)
{
    auto set = NSIndexSet::createMutable({ 2, 3 }); // 2-4
    set->addRange({ 5, 2 }); // touches: 2-6
    set->add(9);
    EXPECT_EQ(set->indexesDescription(), "(2-6 9)");
    set->addRange({ 7, 2 }); // fills the gap: 2-9
    EXPECT_EQ(set->ranges().size(), 1u);
    set->removeRange({ 4, 2 });
    EXPECT_EQ(set->indexesDescription(), "(2-3 6-9)");
    set->remove(*NSIndexSet::create({ 0, 3 }));
    EXPECT_EQ(set->indexesDescription(), "(3 6-9)");
    EXPECT_EQ(set->count(), 5u);
    EXPECT_TRUE(set->contains(7));
    EXPECT_FALSE(set->contains(4));
    EXPECT_EQ(set->countInRange({ 0, 7 }), 2u);
    EXPECT_EQ(set->indexGreaterThan(3), 6u);
    EXPECT_EQ(set->indexGreaterThan(9), static_cast<unsigned long>(NSNotFound));
    EXPECT_EQ(set->firstIndex(), 3u);
    EXPECT_EQ(set->lastIndex(), 9u);
    // A range running off the end of the index space stops there instead of wrapping.
    set->addRange({ ~0ul - 1, 5 });
    EXPECT_EQ(set->lastIndex(), ~0ul - 1);
}

TEST(IndexSet, OnlyTheMutableClassAnswersMutations)
{
    rt::AutoreleasePool pool;
    rt::Object* fixed
        = rt::send<rt::Object*>(NSIndexSet::classObject(), SELECTOR("indexSetWithIndexesInRange:"), NSRange { 1, 3 });
    EXPECT_EQ(rt::send<unsigned long>(fixed, SELECTOR("count")), 3u);
    EXPECT_FALSE(rt::respondsTo(fixed, rt::sel("addIndex:")));
    auto copy = rt::adopt(rt::send<rt::Object*>(fixed, SELECTOR("mutableCopy")));
    rt::send(copy, SELECTOR("addIndex:"), 7ul);
    rt::send(copy, SELECTOR("removeIndex:"), 2ul);
    ASSERT_TRUE(isIndexSet(copy.get()));
    EXPECT_EQ(static_cast<NSIndexSet*>(copy.get())->indexesDescription(), "(1 3 7)");
    EXPECT_FALSE(rt::send<bool>(copy, SELECTOR("isEqual:"), fixed));
    EXPECT_NE(
        toStdString(rt::send<rt::Object*>(copy, SELECTOR("description"))).find("indexes: (1 3 7)"), std::string::npos);
}

}
