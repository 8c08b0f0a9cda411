// TCollectionItem: one item of a TCollection, with published properties of
// its own.
#pragma once

#include "shell/core/Persistent.h"

namespace cvcalc {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    // Items are made by their collection's Add.
    explicit TCollectionItem(TCollection& collection) : collection_(&collection) {}

    TCollection& Collection() const noexcept { return *collection_; }
    int Index() const;

private:
    TCollection* collection_;
};

}  // namespace cvcalc
