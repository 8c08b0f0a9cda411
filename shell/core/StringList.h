// TStringList: an ordered list of 8-bit strings, such as a chart title's
// text.  Its stream property "Strings" replaces the contents.
#pragma once

#include <string>
#include <vector>

#include "shell/core/Persistent.h"

namespace cvcalc {

class TStringList : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    int Count() const noexcept { return static_cast<int>(strings_.size()); }
    const std::string& Strings(int index) const { return strings_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& Items() const noexcept { return strings_; }
    void Add(std::string s);
    void Clear();
    // The lines joined, each ended by a line feed.
    std::string Text() const;
    // Told after every change (a chart title repaints).
    void SetOnChange(TNotifyEvent event) { onChange_ = std::move(event); }

    // "Strings": a ValList of strings; the list is cleared, then each string added.
    void DefineExtraProperties(TFiler& filer) override;

private:
    void Changed() { onChange_(this); }

    std::vector<std::string> strings_;
    TNotifyEvent onChange_;
};

}  // namespace cvcalc
