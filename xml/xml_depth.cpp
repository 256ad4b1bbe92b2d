#include "xml/xml_depth.h"

#include <cstring>

namespace xml_depth {

namespace {

// Index just past the first occurrence of terminator at or after from, or
// size when there is none.
size_t SkipPast(const char* text, size_t size, size_t from, const char* terminator) {
    const size_t length = std::strlen(terminator);
    for (size_t i = from; i + length <= size; ++i)
        if (std::memcmp(text + i, terminator, length) == 0) return i + length;
    return size;
}

bool StartsWith(const char* text, size_t size, size_t at, const char* prefix) {
    const size_t length = std::strlen(prefix);
    return at + length <= size && std::memcmp(text + at, prefix, length) == 0;
}

// Index of the '>' closing a start tag that begins at from, quoted
// attribute values skipped; size when the tag never closes.
size_t TagEnd(const char* text, size_t size, size_t from) {
    for (size_t i = from; i < size; ++i) {
        if (text[i] == '>') return i;
        if (text[i] == '"' || text[i] == '\'') {
            const char* close = static_cast<const char*>(std::memchr(text + i + 1, text[i], size - i - 1));
            if (close == nullptr) return size;
            i = static_cast<size_t>(close - text);
        }
    }
    return size;
}

}  // namespace

int NestingDepth(const char* text, size_t size) {
    int depth = 0;
    int deepest = 0;
    size_t i = 0;
    while (i < size) {
        const char* open = static_cast<const char*>(std::memchr(text + i, '<', size - i));
        if (open == nullptr) break;
        i = static_cast<size_t>(open - text);
        if (StartsWith(text, size, i, "<!--")) {
            i = SkipPast(text, size, i + 4, "-->");
        } else if (StartsWith(text, size, i, "<![CDATA[")) {
            i = SkipPast(text, size, i + 9, "]]>");
        } else if (StartsWith(text, size, i, "<!") || StartsWith(text, size, i, "<?")) {
            i = SkipPast(text, size, i + 2, ">");
        } else if (StartsWith(text, size, i, "</")) {
            if (depth > 0) --depth;
            i = SkipPast(text, size, i + 2, ">");
        } else {
            const size_t end = TagEnd(text, size, i + 1);
            if (end >= size || text[end - 1] != '/') {
                if (++depth > deepest) deepest = depth;
            }
            i = end + 1;
        }
    }
    return deepest;
}

}  // namespace xml_depth
