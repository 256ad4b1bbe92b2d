#include "core/xml_parse.h"

#include <tinyxml.h>

#include <cstring>

#include "core/platform/platform.h"

namespace xml_parse {

namespace {

const char kOpenFailed[] = "Failed to open file";
const char kTooLarge[] = "Document too large";
const char kTooDeep[] = "Document nested too deeply";

}  // namespace

void NormalizeLineEnds(std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
            continue;
        }
        out += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    text.swap(out);
}

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

bool ReadWholeFile(const char* path, std::string& text, std::string& error) {
    const int fd = platform::Open(path, platform::OpenMode::ReadOnly);
    if (fd < 0) {
        error = kOpenFailed;
        return false;
    }
    const long length = platform::Length(fd);
    bool ok = length >= 0 && length <= kMaxDocumentBytes;
    error = ok ? "" : (length < 0 ? kOpenFailed : kTooLarge);
    if (ok) {
        text.assign(static_cast<size_t>(length), '\0');
        const long got = length > 0 ? platform::Read(fd, &text[0], text.size()) : 0;
        ok = got == length;
        if (!ok) error = kOpenFailed;
    }
    platform::Close(fd);
    return ok;
}

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

TiXmlDocument* ParseDocument(const char* bytes, size_t size, std::string& error) {
    if (size > static_cast<size_t>(kMaxDocumentBytes)) {
        error = kTooLarge;
        return nullptr;
    }
    if (NestingDepth(bytes, size) > kMaxDepth) {
        error = kTooDeep;
        return nullptr;
    }
    // The parser reads a terminated text; the bytes may not be terminated.
    const std::string text(bytes, size);
    TiXmlDocument* document = new TiXmlDocument;
    document->Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    if (!document->Error()) return document;
    error = document->ErrorDesc();
    delete document;
    return nullptr;
}

}  // namespace xml_parse
