// Ordered insertion, storage growth and the lazy statistics of a value list.
#include "chart/ChartValueList.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "platform/core/Exception.h"

namespace cvcalc {

TChartValueList::TChartValueList(TChartSeries* owner, std::string name) : owner_(owner), name_(std::move(name)) {}

TChartValueList::~TChartValueList() = default;

void TChartValueList::FreeValues::operator()(double* p) const noexcept { std::free(p); }

void TChartValueList::ThrowIndexError(int index) {
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

void TChartValueList::Reserve(int needed) {
    if (needed <= capacity_) return;
    if (capacity_ > std::numeric_limits<int>::max() - CapacityStep)
        throw Exception("Too many points in one value list");
    const int capacity = capacity_ + CapacityStep;
    if (capacity > allocated_) {
        // The storage behind the steps doubles: two lists filled side by
        // side (a series' X and Y) leave each other no room to extend in
        // place, and a copy at every step made a million points cost half
        // a second of copying.
        const int allocated = allocated_ > std::numeric_limits<int>::max() / 2 ? std::numeric_limits<int>::max()
                                                                               : std::max(capacity, 2 * allocated_);
        void* grown = std::realloc(values_.get(), static_cast<std::size_t>(allocated) * sizeof(double));
        if (grown == nullptr) throw std::bad_alloc();
        (void)values_.release();
        values_.reset(static_cast<double*>(grown));
        allocated_ = allocated;
    }
    capacity_ = capacity;
}

void TChartValueList::ReserveStorage(int values) {
    // Up to the capacity step that will hold the last of them.
    if (values > std::numeric_limits<int>::max() - CapacityStep)
        values = std::numeric_limits<int>::max() - CapacityStep;
    values = (values + CapacityStep - 1) / CapacityStep * CapacityStep;
    if (values <= allocated_) return;
    void* grown = std::realloc(values_.get(), static_cast<std::size_t>(values) * sizeof(double));
    if (grown == nullptr) throw std::bad_alloc();
    (void)values_.release();
    values_.reset(static_cast<double*>(grown));
    allocated_ = values;
}

int TChartValueList::AddOrdered() {
    const double v = pendingValue_;
    int index = count_;
    if (count_ > 0 && order_ != loNone) {
        // Equal values stay in the order they came: the new one goes after them.
        const double* a = values_.get();
        int t = count_ - 1;
        if (order_ == loAscending && !(v >= a[t])) {
            while (t >= 0 && a[t] > v) --t;
            index = t + 1;
        } else if (order_ == loDescending && !(v <= a[t])) {
            while (t >= 0 && a[t] < v) --t;
            index = t + 1;
        }
    }
    InsertValue(index, v);
    return index;
}

void TChartValueList::InsertValue(int index, double value) {
    // Appending within the capacity is the common case of every run.
    if (index == count_ && count_ < capacity_) {
        values_[static_cast<std::size_t>(count_++)] = value;
        needsStatistics_ = true;
        return;
    }
    if (index < 0 || index > count_) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
    Reserve(count_ + 1);
    double* a = values_.get();
    if (index < count_)
        std::memmove(a + index + 1, a + index, static_cast<std::size_t>(count_ - index) * sizeof(double));
    a[index] = value;
    ++count_;
    needsStatistics_ = true;
}

void TChartValueList::Clear() {
    values_.reset();
    capacity_ = 0;
    allocated_ = 0;
    count_ = 0;
    needsStatistics_ = true;
}

void TChartValueList::UpdateStatistics() {
    count_ = std::min(count_, capacity_);
    if (count_ == 0) {
        minValue_ = maxValue_ = 0;
    } else {
        const double* a = values_.get();
        minValue_ = maxValue_ = a[0];
        for (int i = 1; i < count_; ++i) {
            const double x = a[i];
            // A value that is no number takes the minimum, as a failed
            // "not below" comparison would have it.
            if (x < minValue_ || std::isnan(x))
                minValue_ = x;
            else if (x > maxValue_)
                maxValue_ = x;
        }
    }
    needsStatistics_ = false;
    // Every paint asks for the ends; the sums are asked for rarely, and
    // their chain of additions cost as much again, so they wait.
    totalsKnown_ = false;
}

void TChartValueList::UpdateTotals() {
    if (needsStatistics_) UpdateStatistics();
    total_ = totalAbs_ = 0;
    if (count_ > 0) {
        const double* a = values_.get();
        total_ = a[0];
        totalAbs_ = std::fabs(a[0]);
        for (int i = 1; i < count_; ++i) {
            total_ += a[i];
            totalAbs_ += std::fabs(a[i]);
        }
    }
    totalsKnown_ = true;
}

double TChartValueList::MinValue() {
    if (needsStatistics_) UpdateStatistics();
    return minValue_;
}

double TChartValueList::MaxValue() {
    if (needsStatistics_) UpdateStatistics();
    return maxValue_;
}

double TChartValueList::Total() {
    if (needsStatistics_ || !totalsKnown_) UpdateTotals();
    return total_;
}

double TChartValueList::TotalABS() {
    if (needsStatistics_ || !totalsKnown_) UpdateTotals();
    return totalAbs_;
}

const TTypeInfo& TypeInfoTChartListOrder() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TChartListOrder", {"loNone", "loAscending", "loDescending"});
    return info;
}

const TClassInfo& TChartValueList::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TChartValueList>("TChartValueList", TPersistent::StaticClassInfo())
            .Boolean("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime, false)
            .String("Name", &TChartValueList::Name, &TChartValueList::SetName)
            .Ordinal("Order", TypeInfoTChartListOrder(), &TChartValueList::Order, &TChartValueList::SetOrder)
            .String("ValueSource", &TChartValueList::ValueSource, &TChartValueList::SetValueSource);
    return info;
}

}  // namespace cvcalc
