// TCollection: an ordered list of items of one class, owned by the list;
// the stream fills it from a ValCollection value.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "shell/core/CollectionItem.h"

namespace cvcalc {

class TCollection : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    using ItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection&)>;

    // A collection of Item, a TCollectionItem constructible from the collection.
    template <typename Item>
    static ItemFactory FactoryOf() {
        return [](TCollection& c) { return std::make_unique<Item>(c); };
    }

    explicit TCollection(ItemFactory factory) : factory_(std::move(factory)) {}
    ~TCollection() override;

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TCollectionItem& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    TCollectionItem& Add();
    void Clear();
    int IndexOf(const TCollectionItem& item) const noexcept;

    // Changes between BeginUpdate and the matching EndUpdate are told once,
    // at the end.
    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const noexcept { return updateCount_; }
    void SetOnChange(TNotifyEvent event) { onChange_ = std::move(event); }

private:
    void Changed();

    ItemFactory factory_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
    TNotifyEvent onChange_;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

}  // namespace cvcalc
