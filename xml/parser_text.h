// The text TinyXml's Parse is given. The parser reads a terminated text,
// and it steps over a whole UTF-8 sequence at a lead byte, so a text ending
// in one takes it past a single terminator: zeros follow the text, more than
// the longest sequence. Shared by the library and the archive tool.
#ifndef VELTRANO_XML_PARSER_TEXT_H
#define VELTRANO_XML_PARSER_TEXT_H

#include <cstddef>
#include <string>

namespace xml_parse {

constexpr size_t kParserSlack = 8;

inline std::string ParserText(const char* bytes, size_t size) {
    std::string text(bytes, size);
    text.append(kParserSlack, '\0');
    return text;
}

}  // namespace xml_parse

#endif
