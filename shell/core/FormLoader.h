// Loading a form from the descriptions embedded for its class and its
// ancestors.
#pragma once

#include <string_view>

namespace cvcalc {

class TClassInfo;
class TComponent;

// Applies the RT_RCDATA descriptions named after the form's class and its
// ancestors below `stopClass` (the most distant first) to `form`; true when
// at least one was found.  AfterLoad reaches every loaded component at the
// end, in the order the reader listed them.  On failure nothing is notified.
bool LoadFormResources(TComponent* form, const TClassInfo& stopClass);

// Reads the RT_RCDATA resource `resourceName` into `instance`; false (and
// nothing read) when there is no such resource.  `module` 0 is the program.
bool ReadComponentResource(std::string_view resourceName, int module, TComponent* instance);

}  // namespace cvcalc
