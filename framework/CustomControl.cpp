// Class information of TCustomControl.
#include "framework/CustomControl.h"

#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TClassInfo& TCustomControl::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TCustomControl>("TCustomControl", TWinControl::StaticClassInfo());
    return info;
}

}  // namespace cvcalc
