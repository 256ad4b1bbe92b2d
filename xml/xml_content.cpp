// Attributes, text and comments of the cursor element.
#include "Veltrano_Main.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "xml/xml_table.h"

namespace {

const char kAttributeSet[] = "XMLAttributeSet";
const char kAttributeGet[] = "XMLAttributeGet";

TiXmlText* FirstText(TiXmlElement& element) {
    for (TiXmlNode* node = element.FirstChild(); node != nullptr; node = node->NextSibling())
        if (TiXmlText* text = node->ToText()) return text;
    return nullptr;
}

TiXmlComment* FirstComment(TiXmlElement& element) {
    for (TiXmlNode* node = element.FirstChild(); node != nullptr; node = node->NextSibling())
        if (TiXmlComment* comment = node->ToComment()) return comment;
    return nullptr;
}

// TinyXml reads integers with sscanf, which wraps values outside int; a
// number beyond the range is taken as the nearest int instead.
int SaturatedInt(const char* text, int parsed) {
    errno = 0;
    const long long wide = std::strtoll(text, nullptr, 10);
    if (errno != ERANGE && wide >= INT_MIN && wide <= INT_MAX) return parsed;
    return wide < 0 ? INT_MIN : INT_MAX;
}

int RemoveChild(TiXmlElement& element, TiXmlNode* child) {
    return child != nullptr && element.RemoveChild(child) ? 1 : 0;
}

}  // namespace

int Veltrano_Main::XMLAttributeSet(int handle, const char* name, const char* value) {
    TiXmlElement* cursor = xml_table::Cursor(handle, kAttributeSet);
    if (cursor == nullptr || name == nullptr || value == nullptr) return 0;
    cursor->SetAttribute(name, value);
    return 1;
}

int Veltrano_Main::XMLAttributeSet(int handle, const char* name, int value) {
    TiXmlElement* cursor = xml_table::Cursor(handle, kAttributeSet);
    if (cursor == nullptr || name == nullptr) return 0;
    cursor->SetAttribute(name, value);
    return 1;
}

int Veltrano_Main::XMLAttributeSet(int handle, const char* name, double value) {
    TiXmlElement* cursor = xml_table::Cursor(handle, kAttributeSet);
    if (cursor == nullptr || name == nullptr) return 0;
    cursor->SetDoubleAttribute(name, value);
    return 1;
}

int Veltrano_Main::XMLAttributeGet(int handle, const char* name, char** value) {
    TiXmlElement* cursor = xml_table::Cursor(handle, kAttributeGet);
    if (cursor == nullptr || name == nullptr || value == nullptr) return 0;
    *value = const_cast<char*>(cursor->Attribute(name));
    return *value != nullptr ? 1 : 0;
}

int Veltrano_Main::XMLAttributeGet(int handle, const char* name, int* value) {
    TiXmlElement* cursor = xml_table::Cursor(handle, kAttributeGet);
    if (cursor == nullptr || name == nullptr || value == nullptr) return 0;
    int parsed = 0;
    if (cursor->QueryIntAttribute(name, &parsed) != TIXML_SUCCESS) return 0;
    *value = SaturatedInt(cursor->Attribute(name), parsed);
    return 1;
}

int Veltrano_Main::XMLAttributeGet(int handle, const char* name, double* value) {
    TiXmlElement* cursor = xml_table::Cursor(handle, kAttributeGet);
    if (cursor == nullptr || name == nullptr || value == nullptr) return 0;
    return cursor->QueryDoubleAttribute(name, value) == TIXML_SUCCESS ? 1 : 0;
}

int Veltrano_Main::XMLAttributeRemove(int handle, const char* name) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLAttributeRemove");
    if (cursor == nullptr || name == nullptr) return 0;
    cursor->RemoveAttribute(name);
    return 1;
}

char* Veltrano_Main::XMLTextGet(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLTextGet");
    TiXmlText* text = cursor != nullptr ? FirstText(*cursor) : nullptr;
    return text != nullptr ? const_cast<char*>(text->Value()) : nullptr;
}

int Veltrano_Main::XMLTextSet(int handle, const char* text) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLTextSet");
    if (cursor == nullptr || text == nullptr) return 0;
    // Text accumulates: it is added to the first text, never replaces it.
    if (TiXmlText* existing = FirstText(*cursor))
        existing->SetValue(std::string(existing->Value()) + text);
    else
        cursor->LinkEndChild(new TiXmlText(text));
    return 1;
}

int Veltrano_Main::XMLTextRemove(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLTextRemove");
    return cursor != nullptr ? RemoveChild(*cursor, FirstText(*cursor)) : 0;
}

char* Veltrano_Main::XMLCommentGet(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLCommentGet");
    TiXmlComment* comment = cursor != nullptr ? FirstComment(*cursor) : nullptr;
    return comment != nullptr ? const_cast<char*>(comment->Value()) : nullptr;
}

int Veltrano_Main::XMLCommentSet(int handle, const char* text) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLCommentSet");
    if (cursor == nullptr || text == nullptr) return 0;
    if (TiXmlNode* first = cursor->FirstChild())
        cursor->InsertBeforeChild(first, TiXmlComment(text));
    else
        cursor->LinkEndChild(new TiXmlComment(text));
    return 1;
}

int Veltrano_Main::XMLCommentRemove(int handle) {
    TiXmlElement* cursor = xml_table::Cursor(handle, "XMLCommentRemove");
    return cursor != nullptr ? RemoveChild(*cursor, FirstComment(*cursor)) : 0;
}
