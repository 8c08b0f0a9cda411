// TFiler: what readers (and a writer, should one come) of form descriptions
// share: the stream, the read-ahead buffer, the root, and the definition of
// stream properties that are not published.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "shell/core/Stream.h"

namespace cvcalc {

class TComponent;
class TReader;
class TStream;
class TWriter;

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

class TFiler {
public:
    // The stream is not owned and must outlive the filer.
    TFiler(TStream& stream, std::size_t bufferSize);
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;
    virtual ~TFiler();

    TComponent* Root() const noexcept { return root_; }
    TComponent* LookupRoot() const noexcept { return lookupRoot_; }
    virtual void AssignRoot(TComponent* root);

    // A stream property `name` that the object reads itself: when the entry
    // being read has that name, `read` reads its value.
    virtual void DefineNamedProperty(std::string_view name, const TReaderProc& read, const TWriterProc& write,
                                     bool hasData) = 0;
    // The same for a ValBinary value, handed to `read` as a stream.
    virtual void DefineBinaryNamedProperty(std::string_view name, const TStreamProc& read, const TStreamProc& write,
                                           bool hasData) = 0;
    virtual void FlushPending() = 0;

protected:
    TStream& stream_;
    std::vector<unsigned char> buffer_;
    std::size_t bufferPosition_ = 0;
    std::size_t bufferEnd_ = 0;
    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
};

}  // namespace cvcalc
