// The parser's room after a document: TinyXml steps over a whole UTF-8
// sequence at a lead byte, so a text that ends in one is read past its
// terminator (found by fuzzing the sample game's levels). Every beginning of
// such a text is placed right before an unreadable page with the zeros
// ParseDocument puts after it: the parser must fault on none (with a single
// terminator it faults).
#include <sys/mman.h>
#include <unistd.h>
#include <tinyxml.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "xml/xml_parse.h"

namespace {

const char kLeadByteAtTheEnd[] = "<?xml))))))))))))))))))))))))))))))) ','!moss -->\n    <row>#<?xml v=\"7\xfe\xff\xff\xfa" "2?>\n\xfe\xff\xfdYY\xdd";

TEST(XmlParse, TextsCutAnywhereStayWithinTheZerosAfterThem) {
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    void* mapped = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapped, MAP_FAILED);
    char* base = static_cast<char*>(mapped);
    ASSERT_EQ(mprotect(base + page, page, PROT_NONE), 0);
    const std::string text(kLeadByteAtTheEnd, sizeof kLeadByteAtTheEnd - 1);
    for (size_t cut = 1; cut <= text.size(); ++cut) {
        char* at = base + page - xml_parse::kParserSlack - cut;
        std::memcpy(at, text.data(), cut);
        std::memset(at + cut, 0, xml_parse::kParserSlack);
        TiXmlDocument document;
        document.Parse(at, nullptr, TIXML_DEFAULT_ENCODING);
    }
    munmap(base, 2 * page);
}

}  // namespace
