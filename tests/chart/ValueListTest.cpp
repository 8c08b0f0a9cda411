// Value lists: ordered insertion, storage growth and the lazy statistics.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "chart/ChartValueList.h"
#include "platform/core/Exception.h"

namespace cvcalc {
namespace {

std::vector<double> Values(const TChartValueList& list) {
    std::vector<double> v;
    for (int i = 0; i < list.Count(); ++i) v.push_back(list.Value(i));
    return v;
}

struct InsertCase {
    TChartListOrder order;
    std::vector<double> adds;
    std::vector<int> indexes;
    std::vector<double> stored;
};

TEST(ChartValueList, OrderedInsertion) {
    const InsertCase cases[] = {
        {loAscending, {5, 3, 4}, {0, 0, 1}, {3, 4, 5}},
        {loAscending, {1, 2, 2, 3, 2}, {0, 1, 2, 3, 3}, {1, 2, 2, 2, 3}},
        {loAscending, {1, 1, 1}, {0, 1, 2}, {1, 1, 1}},
        {loDescending, {3, 5, 4}, {0, 0, 1}, {5, 4, 3}},
        {loDescending, {3, 2, 2, 1, 2}, {0, 1, 2, 3, 3}, {3, 2, 2, 2, 1}},
        {loNone, {5, 3, 4}, {0, 1, 2}, {5, 3, 4}},
    };
    for (const InsertCase& c : cases) {
        TChartValueList list(nullptr, "X");
        list.SetOrder(c.order);
        std::vector<int> indexes;
        for (double v : c.adds) {
            list.SetPendingValue(v);
            indexes.push_back(list.AddOrdered());
        }
        EXPECT_EQ(indexes, c.indexes) << "order " << c.order;
        EXPECT_EQ(Values(list), c.stored) << "order " << c.order;
    }
}

TEST(ChartValueList, CapacityGrowsInStepsOfThousandAndClearReleases) {
    TChartValueList list(nullptr, "X");
    EXPECT_EQ(list.Capacity(), 0);
    for (int i = 0; i < 1000; ++i) list.InsertValue(i, i);
    EXPECT_EQ(list.Capacity(), 1000);
    list.InsertValue(1000, 1000);
    EXPECT_EQ(list.Capacity(), 2000);
    EXPECT_EQ(list.Count(), 1001);
    EXPECT_EQ(list.Value(1000), 1000);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_TRUE(list.NeedsStatistics());
}

TEST(ChartValueList, StorageReservedAheadKeepsTheStepsAndIsNeverCopied) {
    TChartValueList list(nullptr, "X");
    list.InsertValue(0, -1);
    list.ReserveStorage(5001);
    const double* storage = list.Data();
    EXPECT_EQ(list.Capacity(), 1000);
    EXPECT_EQ(list.Value(0), -1);
    for (int i = 1; i <= 5000; ++i) list.InsertValue(i, i);
    EXPECT_EQ(list.Data(), storage);
    EXPECT_EQ(list.Capacity(), 6000);
    EXPECT_EQ(list.Value(5000), 5000);
    list.ReserveStorage(10);  // less than it holds: nothing changes
    EXPECT_EQ(list.Count(), 5001);
    EXPECT_EQ(list.Data(), storage);
}

TEST(ChartValueList, IndexOutsideTheListRaises) {
    TChartValueList list(nullptr, "Y");
    EXPECT_THROW(list.Value(0), Exception);
    EXPECT_THROW(list.InsertValue(1, 0), Exception);
    list.InsertValue(0, 2);
    EXPECT_THROW(list.Value(-1), Exception);
    EXPECT_EQ(list.Last(), 2);
}

struct StatsCase {
    std::vector<double> values;
    double min, max, total, totalAbs;
};

TEST(ChartValueList, Statistics) {
    const double inf = std::numeric_limits<double>::infinity();
    const StatsCase cases[] = {
        {{}, 0, 0, 0, 0},
        {{-2}, -2, -2, -2, 2},
        {{3, -1, 4, -1, 5}, -1, 5, 10, 14},
        {{1e300, -1e300}, -1e300, 1e300, 0, 2e300},
        {{0, inf}, 0, inf, inf, inf},
    };
    for (const StatsCase& c : cases) {
        TChartValueList list(nullptr, "Y");
        for (double v : c.values) list.InsertValue(list.Count(), v);
        EXPECT_TRUE(list.NeedsStatistics());
        EXPECT_EQ(list.MinValue(), c.min);
        EXPECT_FALSE(list.NeedsStatistics());
        EXPECT_EQ(list.MaxValue(), c.max);
        EXPECT_EQ(list.Total(), c.total);
        EXPECT_EQ(list.TotalABS(), c.totalAbs);
    }
}

TEST(ChartValueList, StatisticsFollowEveryChange) {
    TChartValueList list(nullptr, "Y");
    list.InsertValue(0, 1);
    EXPECT_EQ(list.MaxValue(), 1);
    list.InsertValue(1, 7);
    EXPECT_TRUE(list.NeedsStatistics());
    EXPECT_EQ(list.MaxValue(), 7);
    list.Clear();
    EXPECT_EQ(list.MaxValue(), 0);
}

TEST(ChartValueList, NotANumberTakesTheMinimum) {
    TChartValueList list(nullptr, "Y");
    list.InsertValue(0, 1);
    list.InsertValue(1, std::nan(""));
    list.InsertValue(2, 3);
    EXPECT_TRUE(std::isnan(list.MinValue()));
    EXPECT_EQ(list.MaxValue(), 3);
}

}  // namespace
}  // namespace cvcalc
