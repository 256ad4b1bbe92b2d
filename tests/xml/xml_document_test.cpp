// XML documents from files: the handle table, navigation, editing, content.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::FileExists;
using testing_support::LogCapture;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

const char kShop[] =
    "<?xml version=\"1.0\"?>\n"
    "<shop open=\"1\">\n"
    "  <!-- stock -->\n"
    "  <item name=\"sword\" price=\"12\" weight=\"2.5\">sharp</item>\n"
    "  text between\n"
    "  <item name=\"shield\"><part>rim</part><part>boss</part></item>\n"
    "  <!-- end -->\n"
    "  <item name=\"bow\"/>\n"
    "  <misc><deep><item name=\"hidden\"/></deep></misc>\n"
    "</shop>\n";

class XmlDocument : public ::testing::Test {
protected:
    void SetUp() override { WriteFile(dir.file("shop.xml"), kShop); }
    void TearDown() override {
        for (int h = 1; h <= 10; ++h) Veltrano.XMLClose(h);
        if (Veltrano.initTicks != 0xFFFFFFFFu) Veltrano.Quit();
    }
    int OpenShop() { return Veltrano.XMLOpen(dir.file("shop.xml").c_str()); }
    std::string Name(int h) {
        const char* name = Veltrano.XMLNodeGetName(h);
        return name != nullptr ? name : "(null)";
    }
    std::string Attribute(int h, const char* name) {
        char* value = nullptr;
        return Veltrano.XMLAttributeGet(h, name, &value) == 1 ? value : "(absent)";
    }
    TempDir dir{true};
};

}  // namespace

TEST_F(XmlDocument, HandlesTakeTheFirstFreeEntryAndAnEleventhOpenFails) {
    LogCapture log;
    int handles[10];
    for (int i = 0; i < 10; ++i) {
        handles[i] = OpenShop();
        EXPECT_EQ(handles[i], i + 1);
    }
    EXPECT_EQ(OpenShop(), 0);
    EXPECT_TRUE(log.Contains(" . [Veltrano.XMLOpen('" + dir.file("shop.xml") +
                             "')] Error: reached maximum limit of XML opened(10)\n"));
    Veltrano.XMLClose(3);
    EXPECT_EQ(OpenShop(), 3);
}

TEST_F(XmlDocument, LoadFailuresLogTinyXmlsErrorAndLeaveTheEntryFree) {
    LogCapture log;
    WriteFile(dir.file("bad.xml"), "<a><b></a>");
    WriteFile(dir.file("empty.xml"), "");
    EXPECT_EQ(Veltrano.XMLOpen(dir.file("bad.xml").c_str()), 0);
    EXPECT_TRUE(log.Contains("bad.xml')] Error: Error reading end tag.\n")) << log.Text();
    EXPECT_EQ(Veltrano.XMLOpen(dir.file("empty.xml").c_str()), 0);
    EXPECT_EQ(Veltrano.XMLOpen(dir.file("missing.xml").c_str()), 0);
    EXPECT_TRUE(log.Contains("missing.xml')] Error: Failed to open file\n"));
    EXPECT_EQ(Veltrano.XMLOpen(dir.path().c_str()), 0);  // a folder
    EXPECT_EQ(Veltrano.XMLOpen(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(OpenShop(), 1);
}

TEST_F(XmlDocument, DeepNestingIsRefusedBeforeTheParserRecursesIntoIt) {
    LogCapture log;
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<a x='/>'>";
    WriteFile(dir.file("deep.xml"), deep);
    EXPECT_EQ(Veltrano.XMLOpen(dir.file("deep.xml").c_str()), 0);
    EXPECT_TRUE(log.Contains("Error: Document nested too deeply\n"));
}

TEST_F(XmlDocument, NavigationSkipsNonElementsExceptBackwards) {
    LogCapture log;
    const int h = OpenShop();
    ASSERT_EQ(h, 1);
    // Opening from a file sets no cursor.
    EXPECT_EQ(Veltrano.XMLNodeNext(h), 0);
    EXPECT_TRUE(log.Contains(" . [Veltrano.XMLNodeNext(0)] Error: there is not an element pointed.\n"));
    ASSERT_EQ(Veltrano.XMLNodeFirst(h), 1);
    EXPECT_EQ(Name(h), "shop");
    EXPECT_EQ(Veltrano.XMLNodeParent(h), 0);  // the document is not an element
    EXPECT_EQ(Name(h), "shop");
    ASSERT_EQ(Veltrano.XMLNodeChild(h), 1);  // past the comment
    EXPECT_EQ(Attribute(h, "name"), "sword");
    ASSERT_EQ(Veltrano.XMLNodeNext(h), 1);  // past the text
    EXPECT_EQ(Attribute(h, "name"), "shield");
    EXPECT_EQ(Veltrano.XMLNodePrev(h), 0);  // a text comes right before it
    EXPECT_EQ(Attribute(h, "name"), "shield");
    ASSERT_EQ(Veltrano.XMLNodeNext(h), 1);
    EXPECT_EQ(Attribute(h, "name"), "bow");
    EXPECT_EQ(Veltrano.XMLNodePrev(h), 0);  // a comment comes right before it
    ASSERT_EQ(Veltrano.XMLNodeNext(h), 1);
    EXPECT_EQ(Name(h), "misc");
    ASSERT_EQ(Veltrano.XMLNodePrev(h), 1);
    EXPECT_EQ(Attribute(h, "name"), "bow");
    ASSERT_EQ(Veltrano.XMLNodeNext(h), 1);
    EXPECT_EQ(Veltrano.XMLNodeNext(h), 0);  // last sibling: stays
    EXPECT_EQ(Name(h), "misc");
}

TEST_F(XmlDocument, PointToFollowsOnlyTheFirstElementOfEachName) {
    const int h = OpenShop();
    ASSERT_EQ(Veltrano.XMLNodePointTo(h, 3, "shop", "misc", "deep"), 1);
    EXPECT_EQ(Name(h), "deep");
    ASSERT_EQ(Veltrano.XMLNodePointTo(h, 2, "shop", "item"), 1);
    EXPECT_EQ(Attribute(h, "name"), "sword");
    // The first item has no part; the second one's parts are not searched.
    EXPECT_EQ(Veltrano.XMLNodePointTo(h, 3, "shop", "item", "part"), 0);
    EXPECT_EQ(Attribute(h, "name"), "sword");
    EXPECT_EQ(Veltrano.XMLNodePointTo(h, 2, "shop", static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(Veltrano.XMLNodePointTo(h, 0, "shop"), 0);
    // A null first name leaves nothing pointed.
    EXPECT_EQ(Veltrano.XMLNodePointTo(h, 1, static_cast<const char*>(nullptr)), 1);
    EXPECT_EQ(Veltrano.XMLNodeGetName(h), nullptr);
}

TEST_F(XmlDocument, StoreRestoreAndRemoveNeverHandOutARemovedElement) {
    LogCapture log;
    const int h = OpenShop();
    ASSERT_EQ(Veltrano.XMLNodeRestore(h), 0);
    EXPECT_TRUE(log.Contains(" . [Veltrano.XMLNodeRestore(0)] Error: there is not an element pointed.\n"));
    ASSERT_EQ(Veltrano.XMLNodePointTo(h, 3, "shop", "misc", "deep"), 1);
    ASSERT_EQ(Veltrano.XMLNodeChild(h), 1);
    ASSERT_EQ(Veltrano.XMLNodeStore(h), 1);
    EXPECT_EQ(Veltrano.XMLNodeRestore(h), 1);  // nothing moved, still the stored one
    ASSERT_EQ(Veltrano.XMLNodePointTo(h, 2, "shop", "misc"), 1);
    ASSERT_EQ(Veltrano.XMLNodeRemove(h), 1);  // takes the stored element with it
    EXPECT_EQ(Veltrano.XMLNodeGetName(h), nullptr);
    EXPECT_EQ(Veltrano.XMLNodeNext(h), 0);
    ASSERT_EQ(Veltrano.XMLNodeFirst(h), 1);
    EXPECT_EQ(Veltrano.XMLNodeRestore(h), 0);
    EXPECT_EQ(Veltrano.XMLNodePointTo(h, 2, "shop", "misc"), 0);

    // A stored element elsewhere survives a removal.
    ASSERT_EQ(Veltrano.XMLNodePointTo(h, 2, "shop", "item"), 1);
    ASSERT_EQ(Veltrano.XMLNodeStore(h), 1);
    ASSERT_EQ(Veltrano.XMLNodeNext(h), 1);
    ASSERT_EQ(Veltrano.XMLNodeRemove(h), 1);
    ASSERT_EQ(Veltrano.XMLNodeFirst(h), 1);
    ASSERT_EQ(Veltrano.XMLNodeRestore(h), 1);
    EXPECT_EQ(Attribute(h, "name"), "sword");
}

TEST_F(XmlDocument, AReusedEntryStartsWithNothingStored) {
    const int h = OpenShop();
    ASSERT_EQ(Veltrano.XMLNodeFirst(h), 1);
    ASSERT_EQ(Veltrano.XMLNodeStore(h), 1);
    Veltrano.XMLClose(h);
    ASSERT_EQ(OpenShop(), h);
    ASSERT_EQ(Veltrano.XMLNodeFirst(h), 1);
    EXPECT_EQ(Veltrano.XMLNodeRestore(h), 0);
}

TEST_F(XmlDocument, AttributesInTheirThreeForms) {
    const int h = OpenShop();
    ASSERT_EQ(Veltrano.XMLNodePointTo(h, 2, "shop", "item"), 1);
    int price = 0;
    double weight = 0;
    EXPECT_EQ(Veltrano.XMLAttributeGet(h, "price", &price), 1);
    EXPECT_EQ(price, 12);
    EXPECT_EQ(Veltrano.XMLAttributeGet(h, "weight", &weight), 1);
    EXPECT_DOUBLE_EQ(weight, 2.5);
    EXPECT_EQ(Veltrano.XMLAttributeGet(h, "name", &price), 0);  // not a number
    EXPECT_EQ(Veltrano.XMLAttributeGet(h, "absent", &price), 0);
    char* text = reinterpret_cast<char*>(1);
    EXPECT_EQ(Veltrano.XMLAttributeGet(h, "absent", &text), 0);
    EXPECT_EQ(text, nullptr);

    EXPECT_EQ(Veltrano.XMLAttributeSet(h, "price", -7), 1);
    EXPECT_EQ(Attribute(h, "price"), "-7");
    EXPECT_EQ(Veltrano.XMLAttributeSet(h, "weight", 0.25), 1);
    EXPECT_EQ(Veltrano.XMLAttributeGet(h, "weight", &weight), 1);
    EXPECT_DOUBLE_EQ(weight, 0.25);
    EXPECT_EQ(Veltrano.XMLAttributeSet(h, "name", "axe"), 1);
    EXPECT_EQ(Attribute(h, "name"), "axe");
    EXPECT_EQ(Veltrano.XMLAttributeSet(h, "big", "99999999999"), 1);
    EXPECT_EQ(Veltrano.XMLAttributeGet(h, "big", &price), 1);
    EXPECT_EQ(price, 2147483647);  // saturated, not wrapped
    EXPECT_EQ(Veltrano.XMLAttributeRemove(h, "price"), 1);
    EXPECT_EQ(Veltrano.XMLAttributeRemove(h, "price"), 1);
    EXPECT_EQ(Attribute(h, "price"), "(absent)");
}

TEST_F(XmlDocument, TextAccumulatesAndCommentsGoFirst) {
    ASSERT_EQ(Veltrano.Init(0), 1);
    const int h = Veltrano.XMLCreate("root");
    ASSERT_EQ(h, 1);
    EXPECT_STREQ(Veltrano.XMLNodeGetName(h), "root");  // cursor on the root
    EXPECT_EQ(Veltrano.XMLTextGet(h), nullptr);
    EXPECT_EQ(Veltrano.XMLTextRemove(h), 0);
    ASSERT_EQ(Veltrano.XMLTextSet(h, "ab"), 1);
    ASSERT_EQ(Veltrano.XMLTextSet(h, "cd"), 1);
    EXPECT_STREQ(Veltrano.XMLTextGet(h), "abcd");
    ASSERT_EQ(Veltrano.XMLCommentSet(h, "first"), 1);  // before the text
    ASSERT_EQ(Veltrano.XMLCommentSet(h, "zeroth"), 1);
    EXPECT_STREQ(Veltrano.XMLCommentGet(h), "zeroth");
    EXPECT_STREQ(Veltrano.XMLTextGet(h), "abcd");  // found behind the comments
    ASSERT_EQ(Veltrano.XMLCommentRemove(h), 1);
    EXPECT_STREQ(Veltrano.XMLCommentGet(h), "first");
    ASSERT_EQ(Veltrano.XMLTextRemove(h), 1);
    EXPECT_EQ(Veltrano.XMLTextGet(h), nullptr);

    ASSERT_EQ(Veltrano.XMLNodeCreate(h, "child"), 1);
    EXPECT_STREQ(Veltrano.XMLNodeGetName(h), "child");
    ASSERT_EQ(Veltrano.XMLNodeRename(h, "kid"), 1);
    ASSERT_EQ(Veltrano.XMLNodeParent(h), 1);
    ASSERT_EQ(Veltrano.XMLTextSet(h, "tail"), 1);
    ASSERT_EQ(Veltrano.XMLSave(h, dir.file("out/new/doc.xml").c_str()), 1);  // folders made
    EXPECT_EQ(ReadFile(dir.file("out/new/doc.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>\n"
              "<root>\n    <!--first-->\n    <kid />tail\n</root>\n");
    EXPECT_EQ(Veltrano.XMLSave(h, dir.path().c_str()), 0);  // a folder cannot be written
}

TEST_F(XmlDocument, BadHandlesAndNullArgumentsFailSilently) {
    ASSERT_EQ(Veltrano.Init(0), 1);
    LogCapture log;
    const int h = Veltrano.XMLCreate("root");
    char* text = nullptr;
    int number = 0;
    double real = 0;
    for (int bad : {0, -1, 11, 2}) {
        EXPECT_EQ(Veltrano.XMLNodeFirst(bad), 0);
        EXPECT_EQ(Veltrano.XMLNodeNext(bad), 0);
        EXPECT_EQ(Veltrano.XMLNodePrev(bad), 0);
        EXPECT_EQ(Veltrano.XMLNodeParent(bad), 0);
        EXPECT_EQ(Veltrano.XMLNodeChild(bad), 0);
        EXPECT_EQ(Veltrano.XMLNodeStore(bad), 0);
        EXPECT_EQ(Veltrano.XMLNodeRestore(bad), 0);
        EXPECT_EQ(Veltrano.XMLNodePointTo(bad, 1, "root"), 0);
        EXPECT_EQ(Veltrano.XMLNodeRemove(bad), 0);
        EXPECT_EQ(Veltrano.XMLNodeRename(bad, "x"), 0);
        EXPECT_EQ(Veltrano.XMLNodeCreate(bad, "x"), 0);
        EXPECT_EQ(Veltrano.XMLNodeGetName(bad), nullptr);
        EXPECT_EQ(Veltrano.XMLAttributeSet(bad, "a", "v"), 0);
        EXPECT_EQ(Veltrano.XMLAttributeSet(bad, "a", 1), 0);
        EXPECT_EQ(Veltrano.XMLAttributeSet(bad, "a", 1.0), 0);
        EXPECT_EQ(Veltrano.XMLAttributeGet(bad, "a", &text), 0);
        EXPECT_EQ(Veltrano.XMLAttributeGet(bad, "a", &number), 0);
        EXPECT_EQ(Veltrano.XMLAttributeGet(bad, "a", &real), 0);
        EXPECT_EQ(Veltrano.XMLAttributeRemove(bad, "a"), 0);
        EXPECT_EQ(Veltrano.XMLTextGet(bad), nullptr);
        EXPECT_EQ(Veltrano.XMLTextSet(bad, "t"), 0);
        EXPECT_EQ(Veltrano.XMLTextRemove(bad), 0);
        EXPECT_EQ(Veltrano.XMLCommentGet(bad), nullptr);
        EXPECT_EQ(Veltrano.XMLCommentSet(bad, "c"), 0);
        EXPECT_EQ(Veltrano.XMLCommentRemove(bad), 0);
        EXPECT_EQ(Veltrano.XMLSave(bad, "x.xml"), 0);
        EXPECT_EQ(Veltrano.XMLSave(bad, 1, "x"), 0);
        EXPECT_EQ(Veltrano.XMLSave(bad, "x.dpf", "x"), 0);
        Veltrano.XMLClose(bad);
    }
    EXPECT_EQ(log.Text(), "");
    const char* none = nullptr;
    EXPECT_EQ(Veltrano.XMLNodeRename(h, none), 0);
    EXPECT_EQ(Veltrano.XMLNodeCreate(h, none), 0);
    EXPECT_EQ(Veltrano.XMLAttributeSet(h, none, "v"), 0);
    EXPECT_EQ(Veltrano.XMLAttributeSet(h, "a", none), 0);
    EXPECT_EQ(Veltrano.XMLAttributeGet(h, none, &text), 0);
    EXPECT_EQ(Veltrano.XMLAttributeRemove(h, none), 0);
    EXPECT_EQ(Veltrano.XMLTextSet(h, none), 0);
    EXPECT_EQ(Veltrano.XMLCommentSet(h, none), 0);
    EXPECT_EQ(Veltrano.XMLSave(h, none), 0);
    EXPECT_EQ(Veltrano.XMLCreate(none), 0);
    EXPECT_FALSE(FileExists("x.xml"));
}

TEST_F(XmlDocument, CreateNeedsAnInitialisedSdk) {
    LogCapture log;
    EXPECT_EQ(Veltrano.XMLCreate("root"), 0);
    EXPECT_EQ(log.Text(), " . [Veltrano.XMLCreate()] Error: Veltrano was not initialized. Aborting the XML load.\n");
    ASSERT_EQ(Veltrano.Init(0), 1);
    for (int i = 0; i < 10; ++i) ASSERT_EQ(Veltrano.XMLCreate("root"), i + 1);
    log.Clear();
    EXPECT_EQ(Veltrano.XMLCreate("root"), 0);
    EXPECT_EQ(log.Text(), " . [Veltrano.XMLCreate()] Error: reached maximum limit of XML opened(10)\n");
}
