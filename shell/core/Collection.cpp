// Collections and their items.
#include "shell/core/Collection.h"

namespace cvcalc {

const TClassInfo& TCollectionItem::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TCollectionItem>("TCollectionItem", TPersistent::StaticClassInfo());
    return info;
}

int TCollectionItem::Index() const { return collection_->IndexOf(*this); }

const TClassInfo& TCollection::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TCollection>("TCollection", TPersistent::StaticClassInfo());
    return info;
}

TCollection::~TCollection() = default;

TCollectionItem& TCollection::Add() {
    items_.push_back(factory_(*this));
    Changed();
    return *items_.back();
}

void TCollection::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

int TCollection::IndexOf(const TCollectionItem& item) const noexcept {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &item) return static_cast<int>(i);
    return -1;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        onChange_(this);
    }
}

void TCollection::Changed() {
    if (updateCount_ > 0)
        changedInUpdate_ = true;
    else
        onChange_(this);
}

}  // namespace cvcalc
