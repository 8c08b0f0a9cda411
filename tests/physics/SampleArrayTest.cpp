// The checked growable array behind the result's sample lists.
#include <gtest/gtest.h>

#include "physics/SampleArray.h"
#include "platform/core/RuntimeFaults.h"

using namespace cvcalc;

TEST(SampleArray, OutOfRangeIndexCarriesIndexAndLength) {
    SampleArray array;
    array.Resize(3);
    array[2] = 7.5;
    EXPECT_EQ(array.At(2), 7.5);
    const struct {
        std::ptrdiff_t index;
        std::size_t length;
    } cases[] = {{3, 3}, {-1, 3}, {1000, 3}, {0, 0}};
    for (const auto& c : cases) {
        SampleArray sized;
        sized.Resize(static_cast<std::ptrdiff_t>(c.length));
        const SampleArray& constView = sized;
        try {
            (void)constView[c.index];
            ADD_FAILURE() << "index " << c.index << " was accepted";
        } catch (const DynArrayOutOfRange& error) {
            EXPECT_EQ(error.Index(), c.index);
            EXPECT_EQ(error.Length(), c.length);
            EXPECT_EQ(error.Message(), "範囲チェックエラー");
        }
        EXPECT_THROW(sized.At(c.index) = 1, DynArrayOutOfRange);
    }
}

TEST(SampleArray, ResizeKeepsPrefixZeroFillsAndRejectsBadLengths) {
    SampleArray array;
    array.Resize(2);
    array[0] = 1;
    array[1] = 2;
    array.Resize(4);
    ASSERT_EQ(array.Size(), 4u);
    EXPECT_EQ(array[1], 2);
    EXPECT_EQ(array[3], 0);
    array.Resize(1);
    EXPECT_EQ(array.Size(), 1u);
    EXPECT_EQ(array[0], 1);
    EXPECT_THROW(array.Resize(-1), ERangeError);
    EXPECT_THROW(array.Resize(SampleArray::MaxLength + 1), ERangeError);
    EXPECT_EQ(array.Size(), 1u);
    array.Clear();
    EXPECT_TRUE(array.Empty());
}
