// libFuzzer entry point for the .tst reader. Whatever the bytes, decoding gives a test or a
// reason, never both; a test that was read is written again and reads back the same.

#include "text/TestFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const TestFileRead read = decodeTestFile(input);
    if (read.test.has_value() == !read.error.isEmpty())
        std::abort();
    if (!read.test)
        return 0;
    for (int right : read.test->right) {
        if (right < 0 || right >= TestAnswerCount)
            std::abort();
    }
    if (!hasReadableCharacter(read.test->text))
        std::abort();

    const QByteArray encoded = encodeTestFile(*read.test);
    const TestFileRead again = decodeTestFile(encoded);
    if (!again.test || !(*again.test == *read.test))
        std::abort();
    if (encodeTestFile(*again.test) != encoded)
        std::abort();
    return 0;
}
