// TPersistent: an object whose state a form description can carry, through
// its published properties and through the stream properties it defines
// itself.
#pragma once

#include "shell/core/Object.h"

namespace cvcalc {

class TFiler;

class TPersistent : public TObject {
public:
    CVCALC_CLASS_INFO()

    // Declares the stream properties that are not published: a descendant
    // calls filer.DefineNamedProperty / DefineBinaryNamedProperty for each
    // (and its parent's DefineExtraProperties first).  Nothing by default.
    virtual void DefineExtraProperties(TFiler& filer);
};

}  // namespace cvcalc
