// XML documents in "FILE" blocks of archives.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::FileExists;
using testing_support::LogCapture;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

const char kTemporary[] = "_vlttmp05";

class XmlArchive : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Veltrano.Init(0), 1); }
    void TearDown() override {
        for (int h = 1; h <= 10; ++h) Veltrano.XMLClose(h);
        Veltrano.Quit();
    }
    // Adds bytes as a block of the given type to the archive file.
    void AddBlock(const char* archive, const char* name, const char* type, const std::string& bytes,
                  unsigned char storage = 0) {
        const int dpf = IStuffDPF->Open(archive) > 0 ? IStuffDPF->Open(archive) : IStuffDPF->Create(archive);
        ASSERT_GT(dpf, 0);
        DPF_BlockData block{};
        std::strcpy(block.name, name);
        std::strcpy(block.type, type);
        block.storage = storage;
        block.size = static_cast<int>(bytes.size());
        block.data = const_cast<char*>(bytes.data());
        ASSERT_GT(IStuffDPF->AddData(dpf, &block), 0);
        IStuffDPF->Close(dpf);
        IStuffDPF->Close(dpf);
    }
    std::string BlockText(const char* archive, const char* name) {
        const int dpf = IStuffDPF->Open(archive);
        DPF_BlockData block{};
        const int size = IStuffDPF->LoadBlock(dpf, "FILE", name, &block);
        std::string text = size > 0 ? std::string(block.data, static_cast<size_t>(size)) : "";
        IStuffDPF->FreeBlock(&block);
        IStuffDPF->Close(dpf);
        return text;
    }
    int LiveBlocks(const char* archive) {
        const int dpf = IStuffDPF->Open(archive);
        const int live = IStuffDPF->GetNumBlocks(dpf) - IStuffDPF->GetNumDelBlocks(dpf);
        IStuffDPF->Close(dpf);
        return live;
    }
    TempDir dir{true};
};

}  // namespace

TEST_F(XmlArchive, OpensUnterminatedBlocksOfEveryStorage) {
    for (unsigned char storage : {0, 1, 2}) {
        const std::string name = "doc" + std::to_string(storage);
        // Raw blocks come back padded with zeros; only size bytes are parsed.
        AddBlock("a.dpf", name.c_str(), "FILE", "<a v='1'/>", storage);
        const int h = Veltrano.XMLOpen("a.dpf", name.c_str());
        ASSERT_EQ(h, 1) << name;
        ASSERT_EQ(Veltrano.XMLNodeFirst(h), 1);
        EXPECT_STREQ(Veltrano.XMLNodeGetName(h), "a");
        Veltrano.XMLClose(h);
    }
}

TEST_F(XmlArchive, OpenFailuresLogAndKeepTheTableAsItWas) {
    AddBlock("a.dpf", "doc", "FILE", "<a>");
    AddBlock("a.dpf", "image", "IMG", "<a/>");
    LogCapture log;
    EXPECT_EQ(Veltrano.XMLOpen("a.dpf", "image"), 0);  // wrong type
    EXPECT_TRUE(log.Contains(" . [Veltrano.XMLOpen('a.dpf','image')] Error: block not found in the given DPF.\n"));
    EXPECT_EQ(Veltrano.XMLOpen("a.dpf", "doc"), 0);
    EXPECT_TRUE(log.Contains(" . [Veltrano.XMLOpen('a.dpf','doc')] Error: Error reading Element value.\n")) << log.Text();
    EXPECT_EQ(Veltrano.XMLOpen("a.dpf", std::string(40, 'n').c_str()), 0);
    EXPECT_EQ(Veltrano.XMLOpen("missing.dpf", "doc"), 0);
    WriteFile("plain.txt", "not an archive at all");
    EXPECT_EQ(Veltrano.XMLOpen("plain.txt", "doc"), 0);
    EXPECT_EQ(Veltrano.XMLOpen(0, "doc"), 0);
    EXPECT_EQ(Veltrano.XMLOpen(-4, "doc"), 0);
    EXPECT_EQ(Veltrano.XMLOpen(12345, "doc"), 0);  // not an open archive
    EXPECT_EQ(Veltrano.XMLOpen("a.dpf", nullptr), 0);
    EXPECT_EQ(Veltrano.XMLCreate("x"), 1);  // every entry stayed free
}

TEST_F(XmlArchive, TheHandleFormLeavesTheArchiveOpenAndTheFileFormClosesIt) {
    AddBlock("a.dpf", "doc", "FILE", "<a/>");
    const int dpf = IStuffDPF->Open("a.dpf");
    const int h = Veltrano.XMLOpen(dpf, "doc");
    ASSERT_EQ(h, 1);
    EXPECT_STREQ(IStuffDPF->GetFilename(dpf), "a.dpf");
    IStuffDPF->Close(dpf);
    EXPECT_EQ(IStuffDPF->GetFilename(dpf), nullptr);
    ASSERT_EQ(Veltrano.XMLOpen("a.dpf", "doc"), 2);
    const int again = IStuffDPF->Open("a.dpf");
    IStuffDPF->Close(again);
    EXPECT_EQ(IStuffDPF->GetFilename(again), nullptr) << "XMLOpen left a reference open";
}

TEST_F(XmlArchive, SavingReplacesTheBlockWithExactlyWhatAFileSaveWrites) {
    const int h = Veltrano.XMLCreate("level");
    Veltrano.XMLAttributeSet(h, "number", 1);
    ASSERT_GT(Veltrano.XMLSave(h, "game.dpf", "level.xml"), 0);  // archive created
    Veltrano.XMLAttributeSet(h, "number", 2);
    const int dpf = IStuffDPF->Open("game.dpf");
    const int stored = Veltrano.XMLSave(h, dpf, "level.xml");
    IStuffDPF->Close(dpf);
    ASSERT_EQ(Veltrano.XMLSave(h, "level.xml"), 1);
    EXPECT_GT(stored, 0);  // the stored size, as the archive reports it
    EXPECT_EQ(BlockText("game.dpf", "level.xml"), ReadFile("level.xml"));
    EXPECT_EQ(LiveBlocks("game.dpf"), 1);
    EXPECT_FALSE(FileExists(kTemporary));

    const int back = Veltrano.XMLOpen("game.dpf", "level.xml");
    ASSERT_EQ(Veltrano.XMLNodeFirst(back), 1);
    int number = 0;
    EXPECT_EQ(Veltrano.XMLAttributeGet(back, "number", &number), 1);
    EXPECT_EQ(number, 2);
}

TEST_F(XmlArchive, RefusedSavesKeepWhatWasStored) {
    AddBlock("a.dpf", "keep", "FILE", "<old/>");
    const std::string before = ReadFile("a.dpf");
    const int h = Veltrano.XMLCreate("new");
    LogCapture log;
    EXPECT_EQ(Veltrano.XMLSave(h, "a.dpf", std::string(32, 'k').c_str()), 0);
    EXPECT_EQ(ReadFile("a.dpf"), before);
    WriteFile("notes.txt", "my notes");
    EXPECT_EQ(Veltrano.XMLSave(h, "notes.txt", "keep"), 0);
    EXPECT_EQ(ReadFile("notes.txt"), "my notes");
    EXPECT_EQ(Veltrano.XMLSave(h, 0, "keep"), 0);
    EXPECT_EQ(Veltrano.XMLSave(h, "a.dpf", nullptr), 0);
    // The temporary file cannot be written: nothing replaced, nothing left.
    ASSERT_EQ(Veltrano.MakeDirectory((std::string(kTemporary) + "/x").c_str()), 1);
    EXPECT_EQ(Veltrano.XMLSave(h, "a.dpf", "keep"), 0);
    EXPECT_EQ(BlockText("a.dpf", "keep"), "<old/>");
}

TEST_F(XmlArchive, ArchiveFormsBeforeInitTouchNothing) {
    AddBlock("a.dpf", "doc", "FILE", "<a/>");
    const int h = Veltrano.XMLCreate("root");
    Veltrano.Quit();
    LogCapture log;
    EXPECT_EQ(Veltrano.XMLOpen("a.dpf", "doc"), 0);
    EXPECT_TRUE(log.Contains(
        " . [Veltrano.XMLOpen('a.dpf','doc')] Error: Veltrano was not initialized. Aborting the XML load.\n"));
    EXPECT_EQ(Veltrano.XMLOpen(5, "doc"), 0);
    EXPECT_TRUE(
        log.Contains(" . [Veltrano.XMLOpen('','doc')] Error: Veltrano was not initialized. Aborting the XML load.\n"));
    EXPECT_EQ(Veltrano.XMLSave(h, "new.dpf", "doc"), 0);
    EXPECT_TRUE(log.Contains(
        " . [Veltrano.XMLSave(1,'new.dpf','doc')] Error: Veltrano was not initialized. Aborting the XML save.\n"));
    EXPECT_EQ(Veltrano.XMLSave(h, 5, "doc"), 0);
    EXPECT_FALSE(FileExists("new.dpf"));
    EXPECT_FALSE(FileExists(kTemporary));
    ASSERT_EQ(Veltrano.Init(0), 1);  // for TearDown
}
