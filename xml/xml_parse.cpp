#include "xml/xml_parse.h"

#include <tinyxml.h>

#include "platform/platform.h"
#include "xml/xml_depth.h"

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

TiXmlDocument* ParseDocument(const char* bytes, size_t size, std::string& error) {
    if (size > static_cast<size_t>(kMaxDocumentBytes)) {
        error = kTooLarge;
        return nullptr;
    }
    if (xml_depth::NestingDepth(bytes, size) > xml_depth::kMaxSafeDepth) {
        error = kTooDeep;
        return nullptr;
    }
    const std::string text = ParserText(bytes, size);
    TiXmlDocument* document = new TiXmlDocument;
    document->Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    if (!document->Error()) return document;
    error = document->ErrorDesc();
    delete document;
    return nullptr;
}

}  // namespace xml_parse
