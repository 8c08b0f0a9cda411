// TOpenDialog: the file-open dialog's settings.  The program places one on
// the help window and never opens it, so it holds its settings and shows
// nothing.
#pragma once

#include <string>

#include "shell/core/Component.h"

namespace cvcalc {

class TOpenDialog : public TComponent {
public:
    CVCALC_CLASS_INFO()
    using TComponent::TComponent;

    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& v) { fileName_ = v; }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& v) { filter_ = v; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& v) { initialDir_ = v; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int v) { filterIndex_ = v; }

private:
    std::string defaultExt_;
    std::string fileName_;
    std::string filter_;
    std::string initialDir_;
    std::string title_;
    int filterIndex_ = 1;
};

}  // namespace cvcalc
