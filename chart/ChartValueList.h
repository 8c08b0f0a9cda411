// TChartValueList: one dimension (X or Y) of a series, an ordered growable
// array of doubles with lazily recomputed statistics.
#pragma once

#include <memory>
#include <string>

#include "shell/core/Persistent.h"

namespace cvcalc {

class TChartSeries;

enum TChartListOrder { loNone, loAscending, loDescending };

class TChartValueList : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    // The capacity grows by this many values at a time (the storage under
    // it by doubling).
    static constexpr int CapacityStep = 1000;

    TChartValueList(TChartSeries* owner, std::string name);
    ~TChartValueList() override;

    const std::string& Name() const noexcept { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    // A new order applies to later insertions; stored values stay as they are.
    TChartListOrder Order() const noexcept { return order_; }
    void SetOrder(TChartListOrder value) { order_ = value; }
    bool DateTime() const noexcept { return dateTime_; }
    void SetDateTime(bool value) { dateTime_ = value; }
    const std::string& ValueSource() const noexcept { return valueSource_; }
    void SetValueSource(const std::string& value) { valueSource_ = value; }
    TChartSeries* Owner() const noexcept { return owner_; }

    int Count() const noexcept { return count_; }
    int Capacity() const noexcept { return capacity_; }
    // Raises ERangeError-like Exception for an index outside 0..Count-1.
    double Value(int index) const {
        if (index < 0 || index >= count_) ThrowIndexError(index);
        return values_[static_cast<std::size_t>(index)];
    }
    double Last() const { return Value(count_ - 1); }
    // The Count() values in order, for loops over many.
    const double* Data() const noexcept { return values_.get(); }

    double PendingValue() const noexcept { return pendingValue_; }
    void SetPendingValue(double value) noexcept { pendingValue_ = value; }

    // Inserts the pending value where the order demands (after equal values)
    // and returns its index.
    int AddOrdered();
    // Inserts at `index` (0..Count), moving later values up by one.
    void InsertValue(int index, double value);
    // Storage for `values` in all ahead of adding them one by one, so that
    // a list of a million is not copied as it grows; the capacity still
    // grows in its steps.
    void ReserveStorage(int values);
    // Count 0, storage released.
    void Clear();
    // The append of a run, inline: whether `value` may go at the end without
    // breaking the order and without growing the storage.
    bool CanAppendInPlace(double value) const noexcept {
        if (count_ >= capacity_) return false;
        if (count_ == 0 || order_ == loNone) return true;
        const double last = values_[static_cast<std::size_t>(count_ - 1)];
        return order_ == loAscending ? value >= last : value <= last;
    }
    bool HasRoom() const noexcept { return count_ < capacity_; }
    // Only after CanAppendInPlace or HasRoom answered true.
    void AppendInPlace(double value) noexcept {
        values_[static_cast<std::size_t>(count_++)] = value;
        needsStatistics_ = true;
    }

    bool NeedsStatistics() const noexcept { return needsStatistics_; }
    double MinValue();
    double MaxValue();
    double Total();
    double TotalABS();

private:
    void Reserve(int needed);
    void UpdateStatistics();
    void UpdateTotals();

    TChartSeries* owner_;
    std::string name_;
    TChartListOrder order_ = loNone;
    bool dateTime_ = false;
    std::string valueSource_;
    // Grown with realloc, which extends in place where the heap allows.
    struct FreeValues {
        void operator()(double* p) const noexcept;
    };
    [[noreturn]] static void ThrowIndexError(int index);
    std::unique_ptr<double[], FreeValues> values_;
    int capacity_ = 0;
    // Values the storage holds room for, at least the capacity.
    int allocated_ = 0;
    int count_ = 0;
    double pendingValue_ = 0;
    bool needsStatistics_ = true;
    double minValue_ = 0;
    double maxValue_ = 0;
    double total_ = 0;
    double totalAbs_ = 0;
    bool totalsKnown_ = false;
};

const TTypeInfo& TypeInfoTChartListOrder();

}  // namespace cvcalc
