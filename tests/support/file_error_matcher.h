#pragma once

#include "base/file_error.h"

#include <gmock/gmock.h>

namespace lexoria::testing {

// Matches a callable that throws a FileError whose message matches `message`,
// e.g. EXPECT_THAT([&] { load(); }, throwsFileError(StartsWith(path + " line 2: "))).
template <typename MessageMatcher>
auto throwsFileError(MessageMatcher message)
{
    return ::testing::ThrowsMessage<FileError>(message);
}

}  // namespace lexoria::testing
