// Helpers shared by the log system's tests.
#ifndef VELTRANO_TESTS_LOG_TEST_UTIL_H
#define VELTRANO_TESTS_LOG_TEST_UTIL_H

#include <string>

// What follows the start banner, which ends with its "Executing at" line.
// Empty when the text holds no banner.
inline std::string AfterBanner(const std::string& text) {
    const size_t executing = text.find("\n . Executing at ");
    if (executing == std::string::npos) return std::string();
    const size_t lineEnd = text.find('\n', executing + 1);
    return lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);
}

#endif
