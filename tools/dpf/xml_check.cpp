#include "xml_check.h"

#include <tinyxml.h>

#include "xml/xml_depth.h"
#include "xml/parser_text.h"
#include "messages.h"

bool IsWellFormedXml(const std::string& path, const std::vector<char>& bytes) {
    if (xml_depth::NestingDepth(bytes.data(), bytes.size()) > xml_depth::kMaxSafeDepth) {
        PrintError("'%s' is not usable XML: its elements nest more than %d levels deep", path.c_str(),
                   xml_depth::kMaxSafeDepth);
        return false;
    }
    const std::string text = xml_parse::ParserText(bytes.data(), bytes.size());
    TiXmlDocument document;
    document.Parse(text.c_str(), nullptr, TIXML_DEFAULT_ENCODING);
    if (!document.Error()) return true;
    PrintError("'%s' is not well-formed XML: %s (line %d, column %d)", path.c_str(), document.ErrorDesc(),
               document.ErrorRow(), document.ErrorCol());
    return false;
}
